#pragma once

#include "print_service.h"

// The print service of a build that cannot hand a PDF job to the system's
// printers: every request says so at once, and the window tells the user.
// Printing to a PDF file, chosen in the printer setup, needs no service.
class UnavailablePrintService final : public PrintService {
 public:
  PrintAnswer<PrinterList> Printers(Deadline deadline) override;
  PrintAnswer<QString> DefaultPrinter(Deadline deadline) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPaper> DefaultPaper(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPapers> Papers(Deadline deadline, const QString& printer) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
};
