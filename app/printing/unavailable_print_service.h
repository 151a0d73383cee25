#pragma once

#include "print_service.h"

// The print service of a build that cannot hand a PDF job to the system's
// printers: every request says so at once, and the window tells the user.
// Printing to a PDF file, chosen in the printer setup, needs no service.
class UnavailablePrintService final : public PrintService {
 public:
  PrintReply ServiceState(Deadline deadline) override;
  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& page) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
  QStringList SetupOptions(QPrinter& printer) const override;
};
