#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QRect>
#include <QSizeF>
#include <QString>

#include <functional>
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

  // What the printer setup chose: the printer, its port and its DEVMODE
  // whole (the driver's part included).
  struct Choice {
    QString printer;
    QString port;
    QByteArray devMode;
  };

  virtual ~WindowsSpooler() = default;

  // Whether the spooler answers at all (EnumPrintersW).
  virtual unsigned long Check() = 0;
  // GetDefaultPrinterW.
  virtual unsigned long DefaultPrinter(QString& printer) = 0;
  // OpenPrinterW, GetPrinterW level 2: Status, Attributes and pPortName.
  virtual unsigned long Printer(const QString& printer, unsigned long& status,
                                unsigned long& attributes, QString& port) = 0;
  // The paper of devMode, or where it is empty of DocumentPropertiesW's
  // DEVMODE, and the device's metrics on it.
  virtual unsigned long DefaultPaper(const QString& printer, const QByteArray& devMode,
                                     Paper& paper) = 0;
  // Draws a job's QPicture as one document on a native QPrinter, with the
  // paper source, sides and colour of devMode where it is not empty, unless
  // the deadline passes before the document starts.
  virtual PrintReply Print(Deadline deadline, const PrintJob& job, const QByteArray& devMode) = 0;
  // PrintDlgW's printer setup over the window owner (an HWND), starting from
  // choice, or from the default printer where it names none. shown is
  // called once the dialog shows; when it answers false the dialog ends as
  // cancelled. ERROR_SUCCESS with the choice on OK, ERROR_CANCELLED on
  // cancel, ERROR_FILE_NOT_FOUND when there is no printer to set up.
  virtual unsigned long PrinterSetup(quintptr owner, Choice& choice,
                                     const std::function<bool()>& shown) = 0;
};

// The system's spooler.
std::unique_ptr<WindowsSpooler> MakeWindowsSpooler();
