#pragma once

#include <memory>

#include "print_service.h"
#include "windows_spooler.h"

// The print service of Windows: the spooler, whose printers draw what they
// print (GDI), so that its jobs are pictures drawn onto a native QPrinter.
// The requests are the spooler's blocking calls; a call that outlasts its
// deadline is left to end on the thread that asked. The setup's choices
// travel as the job options "output" (a file instead of paper), "copies",
// "collate", "duplex", "color" and "source", with QPrinter's own values.
class WindowsPrintService final : public PrintService {
 public:
  explicit WindowsPrintService(std::unique_ptr<WindowsSpooler> spooler);

  PrintReply ServiceState(Deadline deadline) override;
  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& page) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
  QStringList SetupOptions(QPrinter& printer) const override;
  JobDocument Document() const override { return JobDocument::Picture; }

 private:
  std::unique_ptr<WindowsSpooler> m_spooler;
};
