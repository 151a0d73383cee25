#pragma once

#include <QSet>

#include <memory>
#include <mutex>
#include <optional>

#include "print_service.h"
#include "windows_spooler.h"

// The print service of Windows: the spooler, whose printers draw what they
// print (GDI), so that its jobs are pictures drawn onto a native QPrinter.
// The requests are the spooler's blocking calls; a call that outlasts its
// deadline is left to end on the thread that asked. A job's paper source is
// QPrinter's number for it.
//
// The setup is Windows' own printer-setup dialog (WindowsPrinterSetup); what
// it chose (the printer and its DEVMODE) becomes the default printer and
// paper of the prints that follow, and their paper source, sides and colour.
// A printer whose port asks for a file at the job's start ("PORTPROMPT:", as
// "Microsoft Print to PDF" has, or "FILE:") is told by AsksForFile once its
// state was read, so that the file is asked on the window's thread first.
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
  bool AsksForFile(const QString& printer) const override;

  // For the printer setup, on the window's thread: the spooler its dialog
  // asks, and the choice it starts from and makes.
  std::shared_ptr<WindowsSpooler> Spooler() const { return m_spooler; }
  std::optional<WindowsSpooler::Choice> Chosen() const;
  void Choose(WindowsSpooler::Choice choice);

 private:
  QByteArray ChosenDevMode(const QString& printer) const;

  std::shared_ptr<WindowsSpooler> m_spooler;  // shared with a setup dialog that may outlive it
  mutable std::mutex m_mutex;  // the requests' thread and the window's share what follows
  std::optional<WindowsSpooler::Choice> m_chosen;
  QSet<QString> m_asksForFile;  // the printers whose port asks for a file
};
