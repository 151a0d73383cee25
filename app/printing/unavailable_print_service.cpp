#include "unavailable_print_service.h"

#include "system_print_service.h"

PrintReply UnavailablePrintService::ServiceState(Deadline /*deadline*/) {
  return PrintReply::Unavailable;
}

PrintReply UnavailablePrintService::DefaultPrinter(Deadline /*deadline*/, QString& /*printer*/) {
  return PrintReply::Unavailable;
}

PrintReply UnavailablePrintService::PrinterState(Deadline /*deadline*/,
                                                 const QString& /*printer*/) {
  return PrintReply::Unavailable;
}

PrintReply UnavailablePrintService::DefaultPage(Deadline /*deadline*/, const QString& /*printer*/,
                                                PrinterPage& /*page*/) {
  return PrintReply::Unavailable;
}

PrintReply UnavailablePrintService::StartJob(Deadline /*deadline*/, const PrintJob& /*job*/) {
  return PrintReply::Unavailable;
}

std::unique_ptr<PrintService> MakeSystemPrintService() {
  return std::make_unique<UnavailablePrintService>();
}

QStringList UnavailablePrintService::SetupOptions(QPrinter& /*printer*/) const {
  return {};
}
