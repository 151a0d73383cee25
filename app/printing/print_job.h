#pragma once

#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QRect>
#include <QString>

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

// A request's reply and, when it is Done, what it found.
template <typename T>
struct PrintAnswer {
  PrintReply reply = PrintReply::Failed;
  T value{};
};

// The page a sheet is drawn for: a paper, portrait, its margins the edges
// the printer cannot print on.
struct PrinterPage {
  QPageLayout layout;
  int resolution = 0;  // dots per inch
  // The printable area in pixels of that resolution from the paper's corner,
  // where the service knows it to the pixel; else empty, and the layout's,
  // which Qt keeps in whole points, stands.
  QRect printable;
};

// A paper or a paper source as the service names it for jobs, with the
// text the user reads.
struct PrinterItem {
  QString name;
  QString text;
};

// A paper a printer offers, and the page it makes.
struct PrinterPaper {
  PrinterItem paper;
  PrinterPage page;
};

// What the printer setup offers on one printer.
struct PrinterPapers {
  QList<PrinterPaper> papers;
  qsizetype defaultPaper = 0;
  QList<PrinterItem> sources;  // none where the printer tells none
  qsizetype defaultSource = -1;
};

// The printers the service knows, and its default among them, if any.
struct PrinterList {
  QStringList printers;
  QString defaultPrinter;
};

enum class PrintSides { PrinterDefault, OneSided, LongEdge, ShortEdge };
enum class PrintColour { PrinterDefault, Colour, Greyscale };

// What a job asks of the printer beyond its page. Names are the service's:
// empty asks for nothing, and the printer's own default holds.
struct JobOptions {
  QString paper;
  QString source;
  int copies = 1;
  bool collate = false;
  PrintSides sides = PrintSides::PrinterDefault;
  PrintColour colour = PrintColour::PrinterDefault;

  friend bool operator==(const JobOptions&, const JobOptions&) = default;
};

// What a job's document holds: a PDF, or a QPicture (QPicture::data()) that
// the service draws onto the printer itself, for print systems that take
// drawing rather than documents.
enum class JobDocument { Pdf, Picture };

// One job of one page.
struct PrintJob {
  QString printer;
  // A file the printer's driver writes the job into instead of paper; empty
  // for paper.
  QString file;
  QString title;
  PrinterPage page;  // the page the document was drawn for
  JobOptions options;
  QByteArray document;
};
