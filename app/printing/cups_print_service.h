#pragma once

#include "print_service.h"

// The print service of Linux desktops: the CUPS scheduler that libcups finds
// (CUPS_SERVER, client.conf or the local socket). Each request opens its own
// connection whose every wait ends at the deadline.
class CupsPrintService final : public PrintService {
 public:
  PrintReply ServiceState(Deadline deadline) override;
  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& page) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
  QStringList SetupOptions(QPrinter& printer) const override;
};
