#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "print_job.h"
#include "print_service.h"

class QWidget;

// Where the prints go and on what, as the printer setup chose it.
struct PrinterChoice {
  QString printer;  // empty: a PDF file the program writes itself
  // The file to print into: the PDF file, or with a printer, the file its
  // driver writes; empty for paper.
  QString file;
  PrinterPage page;
  JobOptions options;
};

// The questions the setup asks the print service: each on the service's
// thread, within the time limit, the window going on meanwhile.
class SetupQuestions {
 public:
  virtual PrintAnswer<PrinterList> Printers() = 0;
  virtual PrintAnswer<PrinterPapers> Papers(const QString& printer) = 0;
  // Waits, within the time limit, for ready (run on the service's thread,
  // given the deadline) to answer true: for a system's setup dialog that asks
  // the print service before it shows. NoAnswer when the limit came first.
  virtual PrintReply WaitFor(std::function<bool(PrintService::Deadline)> ready) = 0;

 protected:
  ~SetupQuestions() = default;
};

// The printer setup: shows the current choice, or the default printer while
// there is none, and answers the new choice on OK, none when cancelled or
// when the print service keeps the choice itself (Windows' setup); a reply
// other than Done when the service failed it.
class PrinterSetup {
 public:
  virtual ~PrinterSetup() = default;
  virtual PrintAnswer<std::optional<PrinterChoice>> Run(QWidget* parent,
                                                        const std::optional<PrinterChoice>& current,
                                                        SetupQuestions& service) = 0;
};

// The setup of the system the program was built for, for the given service.
std::unique_ptr<PrinterSetup> MakePrinterSetup(const std::shared_ptr<PrintService>& service);
