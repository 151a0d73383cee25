#pragma once

#include <memory>

#include "print_service.h"
#include "windows_spooler.h"

// The print service of Windows: the spooler, whose printers draw what they
// print (GDI), so that its jobs are pictures drawn onto a native QPrinter.
// The requests are the spooler's blocking calls; a call that outlasts its
// deadline is left to end on the thread that asked. A job's paper source is
// QPrinter's number for it.
class WindowsPrintService final : public PrintService {
 public:
  explicit WindowsPrintService(std::unique_ptr<WindowsSpooler> spooler);

  PrintAnswer<PrinterList> Printers(Deadline deadline) override;
  PrintAnswer<QString> DefaultPrinter(Deadline deadline) override;
  PrintReply PrinterState(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPaper> DefaultPaper(Deadline deadline, const QString& printer) override;
  PrintAnswer<PrinterPapers> Papers(Deadline deadline, const QString& printer) override;
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override;
  JobDocument Document() const override { return JobDocument::Picture; }

 private:
  std::unique_ptr<WindowsSpooler> m_spooler;
};
