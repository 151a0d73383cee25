#pragma once

#include <QString>

#include <memory>
#include <optional>

#include "print_job.h"

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

 protected:
  ~SetupQuestions() = default;
};

// The printer setup: shows the current choice, or the default printer while
// there is none, and answers the new choice on OK, none when cancelled; a
// reply other than Done when the service failed it.
class PrinterSetup {
 public:
  virtual ~PrinterSetup() = default;
  virtual PrintAnswer<std::optional<PrinterChoice>> Run(QWidget* parent,
                                                        const std::optional<PrinterChoice>& current,
                                                        SetupQuestions& service) = 0;
};

// The setup of the system the program was built for.
std::unique_ptr<PrinterSetup> MakePrinterSetup();
