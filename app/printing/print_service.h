#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>

class QPrinter;
class QWidget;
class ServiceWait;

// What the print service answered to one request.
enum class PrintReply {
  Done,          // it did what was asked
  NoPrinter,     // no such printer, or no default printer
  NotAccepting,  // the printer exists but takes no jobs now
  Unsupported,   // the printer refuses the job's settings
  NoAnswer,      // no answer before the deadline; a job was not taken whole
  Unconfirmed,   // a job went out whole, but no answer came before the deadline
  NoService,     // the service could not be reached: nothing was asked
  Failed,        // any other failure the service reported
  Unavailable,   // this build has no way to print on the system's printers
};

// The paper a printer prints on when nobody chose one.
struct PrinterPage {
  QPageLayout layout;   // portrait; the margins are the edges it cannot print
  int resolution = 0;   // dots per inch
  QStringList options;  // the job options that ask for this paper
  // The printable area in pixels of that resolution from the paper's corner,
  // where the service knows it to the pixel; else empty, and the layout's,
  // which Qt keeps in whole points, stands.
  QRect printable;
};

// What a job's document holds: a PDF, or a QPicture (QPicture::data()) that
// the service draws onto the printer itself, for print systems that take
// drawing rather than documents.
enum class JobDocument { Pdf, Picture };

// The job option that names a file to print into instead of onto paper, as
// the system's dialog gives it for a print to a file.
inline constexpr QLatin1String kOutputFileOption("output");

// One job of one page: its document and the options it is printed with.
struct PrintJob {
  QString printer;
  QString title;
  QStringList options;  // name, value, name, value, ...
  QByteArray document;
  // The page the document was drawn for: drawn from the top-left corner of
  // its printable area, in pixels of this resolution.
  QPageLayout layout;
  int resolution = 0;
  QRect printable;  // as PrinterPage::printable
};

// The print service as the printing code sees it. The requests only talk to
// the service, on whatever thread asks; each gives up at its deadline,
// whatever the service does (ServiceWait keeps the window going meanwhile).
class PrintService {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  virtual ~PrintService() = default;

  // Done when the service answers at all: asked before the printer setup,
  // which asks the service itself, without a deadline.
  virtual PrintReply ServiceState(Deadline deadline) = 0;
  // The printer to use when none was chosen: the user's default, else the
  // service's own.
  virtual PrintReply DefaultPrinter(Deadline deadline, QString& printer) = 0;
  // Done when the printer exists and accepts jobs now.
  virtual PrintReply PrinterState(Deadline deadline, const QString& printer) = 0;
  // The printer's default paper (the user's default over the printer's own;
  // where the printer tells none, the paper of the locale), portrait, with
  // its printable area and resolution.
  virtual PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& page) = 0;
  // Hands the job over; the reply is the job's fate: Done once the service
  // holds it.
  virtual PrintReply StartJob(Deadline deadline, const PrintJob& job) = 0;

  // The job options that ask for what the printer setup chose on this
  // printer (paper, source, copies, sides, ...), never its orientation. On
  // the window's thread; asks the service nothing.
  virtual QStringList SetupOptions(QPrinter& printer) const = 0;

  // What the jobs' documents must be.
  virtual JobDocument Document() const { return JobDocument::Pdf; }

  // The print system's own printer-setup dialog, shown in place of Qt's
  // where there is one (Windows); Unavailable where there is none. On the
  // window's thread: the system's part, until the dialog shows, is waited
  // for through `wait` until the deadline; the user's part has no limit. OK
  // makes its choice the default printer and paper of the prints that
  // follow; Done whether it was chosen or cancelled.
  virtual PrintReply SystemSetup(Deadline /*deadline*/, ServiceWait& /*wait*/,
                                 QWidget* /*parent*/) {
    return PrintReply::Unavailable;
  }
  // Whether a job on this printer must name the file it goes into, which
  // the print system would otherwise ask for inside the job, on the
  // requests' thread; as the printer's last PrinterState found. On the
  // window's thread; asks the service nothing.
  virtual bool AsksForFile(const QString& /*printer*/) const { return false; }
};
