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
// deadline is left to end on the thread that asked.
//
// The setup is Windows' own printer-setup dialog; what it chose (the
// printer and its DEVMODE) becomes the default printer and paper of the
// prints that follow, and their paper source, sides and colour. A printer
// whose port asks for a file at the job's start ("PORTPROMPT:", as
// "Microsoft Print to PDF" has, or "FILE:") is told by AsksForFile once its
// state was read, so that the file is asked on the window's thread first. It
// travels as the job option "output"; a name ending in .pdf makes Qt's PDF
// of the job's paper, without the spooler. SetupOptions, for a setup made
// with Qt's dialog, gives "output", "copies", "collate", "duplex", "color"
// and "source" in QPrinter's values.
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
  PrintReply SystemSetup(Deadline deadline, ServiceWait& wait, QWidget* parent) override;
  bool AsksForFile(const QString& printer) const override;

 private:
  QByteArray ChosenDevMode(const QString& printer) const;

  std::shared_ptr<WindowsSpooler> m_spooler;  // shared with a setup dialog that may outlive it
  mutable std::mutex m_mutex;  // the requests' thread and the window's share what follows
  std::optional<WindowsSpooler::Choice> m_chosen;
  QSet<QString> m_asksForFile;  // the printers whose port asks for a file
};
