#pragma once

#include <QMarginsF>
#include <QRect>
#include <QSizeF>
#include <QString>

#include <memory>

#include "print_service.h"

// The Windows spooler as the Windows print service asks it: each member is a
// plain blocking call (a network printer may hold it for long), answering a
// Win32 error code, 0 when it went well.
class WindowsSpooler {
 public:
  using Deadline = PrintService::Deadline;

  // The printer's default paper, portrait, as its driver states it.
  struct Paper {
    int windowsId = 0;   // DMPAPER_*, 0 when unknown
    QSizeF size;         // millimetres; empty when the driver tells none
    QMarginsF margins;   // millimetres the printer cannot print on
    int resolution = 0;  // dots per inch
    QRect printable;     // device pixels from the paper's corner; empty unless square
  };

  virtual ~WindowsSpooler() = default;

  // Whether the spooler answers at all (EnumPrintersW).
  virtual unsigned long Check() = 0;
  // GetDefaultPrinterW.
  virtual unsigned long DefaultPrinter(QString& printer) = 0;
  // OpenPrinterW, GetPrinterW level 2: Status and Attributes.
  virtual unsigned long Printer(const QString& printer, unsigned long& status,
                                unsigned long& attributes) = 0;
  // DocumentPropertiesW's DEVMODE, and the device's metrics on it.
  virtual unsigned long DefaultPaper(const QString& printer, Paper& paper) = 0;
  // Draws a job's QPicture as one document on a native QPrinter, unless the
  // deadline passes before the document starts.
  virtual PrintReply Print(Deadline deadline, const PrintJob& job) = 0;
};

// The system's spooler.
std::unique_ptr<WindowsSpooler> MakeWindowsSpooler();
