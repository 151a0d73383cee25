#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "print_service.h"
#include "printer_setup.h"
#include "windows_spooler.h"

class QWidget;
class WindowsPrintService;

// Windows' printer setup for the spooler's print service: OK makes the
// service's default printer and paper the chosen ones, which it keeps
// (Run answers no PrinterChoice).
class WindowsPrinterSetup final : public PrinterSetup {
 public:
  explicit WindowsPrinterSetup(std::shared_ptr<WindowsPrintService> service)
      : m_service(std::move(service)) {}
  PrintAnswer<std::optional<PrinterChoice>> Run(QWidget* parent,
                                                const std::optional<PrinterChoice>& current,
                                                SetupQuestions& service) override;

 private:
  std::shared_ptr<WindowsPrintService> m_service;
};

// Windows' printer setup: PrintDlgW's printer-setup dialog (the printer, the
// paper's size and source, the orientation; OK and cancel), not its print
// dialog, since the command only sets up.
//
// PrintDlgW asks the spooler before its dialog shows (the printers, the
// driver's DEVMODE), and a stalled spooler holds it there without end. So it
// runs on a thread of its own, and the window waits for the dialog to show
// through the service's bounded wait (SetupQuestions::WaitFor), as for any
// request, until the time limit; a dialog that shows
// after it ends as cancelled. Once shown, the dialog is the user's, with no
// time limit; it disables the window, as a modal dialog does.
//
// ERROR_SUCCESS with the choice on OK, ERROR_CANCELLED on cancel,
// WAIT_TIMEOUT when the dialog did not show before the deadline, else the
// spooler's error. choice goes in as the setup's start.
unsigned long RunPrinterSetup(const std::shared_ptr<WindowsSpooler>& spooler,
                              SetupQuestions& service, QWidget* parent,
                              WindowsSpooler::Choice& choice);

// The dialog itself, on the calling thread, as WindowsSpooler::PrinterSetup
// tells.
unsigned long ShowPrinterSetup(quintptr owner, WindowsSpooler::Choice& choice,
                               const std::function<bool()>& shown);
