#include "printer_setup_dialog.h"

// Where the system has no setup dialog of its own, the program's serves.
std::unique_ptr<PrinterSetup> MakePrinterSetup(const std::shared_ptr<PrintService>& /*service*/) {
  return MakeProgramPrinterSetup();
}
