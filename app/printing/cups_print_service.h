#pragma once

#include "print_service.h"

// The print service of Linux desktops: the CUPS scheduler that libcups finds
// (CUPS_SERVER, client.conf or the local socket). Each request opens its own
// connection whose every wait ends at the deadline.
class CupsPrintService final : public PrintService {
 public:
  PrintAnswer<PrinterList> Printers(Deadline deadline) override;
  PrintAnswer<QString> DefaultPrinter(Deadline deadline) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPaper> DefaultPaper(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPapers> Papers(Deadline deadline, const QString& printer) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
};
