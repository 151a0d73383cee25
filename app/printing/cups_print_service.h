#pragma once

#include "print_service.h"

// The print service of Linux desktops: the CUPS scheduler that libcups finds
// (CUPS_SERVER, client.conf or the local socket). Each request opens its own
// connection whose every wait ends at the deadline; while it waits, the
// window keeps repainting.
class CupsPrintService final : public PrintService {
 public:
  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& page) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
};
