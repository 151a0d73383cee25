#include "unavailable_print_service.h"

#include "system_print_service.h"

PrintAnswer<PrinterList> UnavailablePrintService::Printers(Deadline /*deadline*/) {
  return {PrintReply::Unavailable, {}};
}

PrintAnswer<QString> UnavailablePrintService::DefaultPrinter(Deadline /*deadline*/) {
  return {PrintReply::Unavailable, {}};
}

PrintReply UnavailablePrintService::PrinterState(Deadline /*deadline*/,
                                                 const QString& /*printer*/) {
  return PrintReply::Unavailable;
}

PrintAnswer<PrinterPaper> UnavailablePrintService::DefaultPaper(Deadline /*deadline*/,
                                                                const QString& /*printer*/) {
  return {PrintReply::Unavailable, {}};
}

PrintAnswer<PrinterPapers> UnavailablePrintService::Papers(Deadline /*deadline*/,
                                                           const QString& /*printer*/) {
  return {PrintReply::Unavailable, {}};
}

PrintReply UnavailablePrintService::StartJob(Deadline /*deadline*/, const PrintJob& /*job*/) {
  return PrintReply::Unavailable;
}

std::unique_ptr<PrintService> MakeSystemPrintService() {
  return std::make_unique<UnavailablePrintService>();
}
