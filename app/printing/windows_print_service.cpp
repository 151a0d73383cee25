#include "windows_print_service.h"

#include "system_print_service.h"
#include "windows_printer_setup.h"

#include <QLocale>
#include <QPageSize>
#include <QPrinter>

#include <utility>

#include <winerror.h>

namespace {

using Clock = std::chrono::steady_clock;

// PRINTER_INFO_2 Status bits of a printer that takes no jobs.
constexpr unsigned long kPendingDeletion = 0x00000004;  // PRINTER_STATUS_PENDING_DELETION
constexpr unsigned long kNotAvailable = 0x00001000;     // PRINTER_STATUS_NOT_AVAILABLE
// When a driver states no resolution: the page is drawn at this one.
constexpr int kFallbackResolution = 600;

// The reply for a spooler's error code; whenFailed for the errors that say
// nothing more. An error that came after the deadline is a silence.
PrintReply ReplyFor(unsigned long error, PrintService::Deadline deadline,
                    PrintReply whenFailed = PrintReply::Failed) {
  if (error == ERROR_SUCCESS) return PrintReply::Done;
  if (Clock::now() >= deadline) return PrintReply::NoAnswer;
  switch (error) {
    // The spooler service is stopped or gone.
    case RPC_S_SERVER_UNAVAILABLE:
    case RPC_S_SERVER_TOO_BUSY:
    case RPC_S_CALL_FAILED:
    case ERROR_SERVICE_NOT_ACTIVE:
      return PrintReply::NoService;
    case ERROR_INVALID_PRINTER_NAME:
    case ERROR_UNKNOWN_PRINTER_DRIVER:
      return PrintReply::NoPrinter;
    case ERROR_TIMEOUT:
    case WAIT_TIMEOUT:
      return PrintReply::NoAnswer;
    case ERROR_NOT_SUPPORTED:
      return PrintReply::Unsupported;
    default:
      return whenFailed;
  }
}

// The paper where the driver tells none: A4, or Letter where the locale
// measures in inches as in the US; its margins are unknown: none.
PrinterPage UntoldPage() {
  const QPageSize paper(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                            ? QPageSize::Letter
                            : QPageSize::A4);
  return {QPageLayout(paper, QPageLayout::Portrait, QMarginsF()), kFallbackResolution, {}, {}};
}

// The driver's paper by its Windows number where that is the size it states,
// else by its size; its margins where they leave something to print on.
PrinterPage PageOf(const WindowsSpooler::Paper& paper) {
  QSizeF size = paper.size;
  if (size.width() > size.height()) size.transpose();
  QPageSize pageSize(QPageSize::id(paper.windowsId));
  const QSizeF named = pageSize.size(QPageSize::Millimeter);
  if (!pageSize.isValid() || qAbs(named.width() - size.width()) > 1 ||
      qAbs(named.height() - size.height()) > 1) {
    pageSize = QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
  }
  QMarginsF margins = paper.margins;
  const bool marginsTold = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 &&
                           margins.bottom() >= 0 &&
                           margins.left() + margins.right() < size.width() &&
                           margins.top() + margins.bottom() < size.height();
  if (!marginsTold) margins = QMarginsF();
  const bool resolutionTold = paper.resolution >= 72 && paper.resolution <= 9600;
  const int resolution = resolutionTold ? paper.resolution : kFallbackResolution;
  // The driver's own pixels where they describe this page as drawn: the
  // layout alone would round the printable area to whole points.
  const bool pixelsTold =
      marginsTold && resolutionTold && paper.size.width() <= paper.size.height();
  return {QPageLayout(pageSize, QPageLayout::Portrait, margins, QPageLayout::Millimeter),
          resolution,
          {},
          pixelsTold ? paper.printable : QRect()};
}

}  // namespace

WindowsPrintService::WindowsPrintService(std::unique_ptr<WindowsSpooler> spooler)
    : m_spooler(std::move(spooler)) {}

PrintReply WindowsPrintService::ServiceState(Deadline deadline) {
  return ReplyFor(m_spooler->Check(), deadline);
}

PrintReply WindowsPrintService::DefaultPrinter(Deadline deadline, QString& printer) {
  {
    const std::lock_guard lock(m_mutex);
    if (m_chosen) {
      printer = m_chosen->printer;
      return PrintReply::Done;
    }
  }
  QString found;
  const unsigned long error = m_spooler->DefaultPrinter(found);
  // GetDefaultPrinterW's way of saying there is none.
  if (error == ERROR_FILE_NOT_FOUND && Clock::now() < deadline) return PrintReply::NoPrinter;
  const PrintReply reply = ReplyFor(error, deadline);
  if (reply != PrintReply::Done) return reply;
  if (found.isEmpty()) return PrintReply::NoPrinter;
  printer = found;
  return PrintReply::Done;
}

// A printer that cannot be opened is no printer to print on, whatever the
// reason (gone, no access, no driver).
PrintReply WindowsPrintService::PrinterState(Deadline deadline, const QString& printer) {
  unsigned long status = 0;
  unsigned long attributes = 0;
  QString port;
  const PrintReply reply = ReplyFor(m_spooler->Printer(printer, status, attributes, port), deadline,
                                    PrintReply::NoPrinter);
  if (reply != PrintReply::Done) return reply;
  {
    const std::lock_guard lock(m_mutex);
    if (port.compare(QLatin1String("PORTPROMPT:"), Qt::CaseInsensitive) == 0 ||
        port.compare(QLatin1String("FILE:"), Qt::CaseInsensitive) == 0) {
      m_asksForFile.insert(printer);
    } else {
      m_asksForFile.remove(printer);
    }
  }
  // Paused, offline or out of paper, a printer still queues the job.
  return (status & (kPendingDeletion | kNotAvailable)) != 0 ? PrintReply::NotAccepting
                                                            : PrintReply::Done;
}

PrintReply WindowsPrintService::DefaultPage(Deadline deadline, const QString& printer,
                                            PrinterPage& page) {
  WindowsSpooler::Paper paper;
  const PrintReply reply =
      ReplyFor(m_spooler->DefaultPaper(printer, ChosenDevMode(printer), paper), deadline);
  if (reply != PrintReply::Done) return reply;
  page = paper.size.isEmpty() ? UntoldPage() : PageOf(paper);
  return PrintReply::Done;
}

PrintReply WindowsPrintService::StartJob(Deadline deadline, const PrintJob& job) {
  if (job.document.isEmpty() || job.resolution <= 0) return PrintReply::Failed;
  return m_spooler->Print(deadline, job, ChosenDevMode(job.printer));
}

// The window waits for the dialog through the requests' thread; the choice
// is kept here, and the spooler is asked nothing else.
PrintReply WindowsPrintService::SystemSetup(Deadline deadline, ServiceWait& wait, QWidget* parent) {
  WindowsSpooler::Choice choice;
  {
    const std::lock_guard lock(m_mutex);
    if (m_chosen) choice = *m_chosen;
  }
  switch (RunPrinterSetup(m_spooler, deadline, wait, parent, choice)) {
    case ERROR_SUCCESS: {
      const std::lock_guard lock(m_mutex);
      m_chosen = std::move(choice);
      return PrintReply::Done;
    }
    case ERROR_CANCELLED:
      return PrintReply::Done;
    case WAIT_TIMEOUT:
      return PrintReply::NoAnswer;
    case ERROR_FILE_NOT_FOUND:
      return PrintReply::NoPrinter;
    default:
      return PrintReply::Failed;
  }
}

bool WindowsPrintService::AsksForFile(const QString& printer) const {
  const std::lock_guard lock(m_mutex);
  return m_asksForFile.contains(printer);
}

QByteArray WindowsPrintService::ChosenDevMode(const QString& printer) const {
  const std::lock_guard lock(m_mutex);
  return m_chosen && m_chosen->printer == printer ? m_chosen->devMode : QByteArray();
}

// What the setup chose beyond the paper, which travels as the job's page;
// the sheet stays portrait whatever the setup said. A print to a file has
// its file's name from the setup (SheetPrinter asks it for "FILE:").
QStringList WindowsPrintService::SetupOptions(QPrinter& printer) const {
  QStringList options;
  if (printer.outputFormat() == QPrinter::NativeFormat && !printer.outputFileName().isEmpty()) {
    options << kOutputFileOption << printer.outputFileName();
  }
  return options +
         QStringList{QStringLiteral("copies"),  QString::number(printer.copyCount()),
                     QStringLiteral("collate"), QString::number(printer.collateCopies() ? 1 : 0),
                     QStringLiteral("duplex"),  QString::number(printer.duplex()),
                     QStringLiteral("color"),   QString::number(printer.colorMode()),
                     QStringLiteral("source"),  QString::number(printer.paperSource())};
}

std::unique_ptr<PrintService> MakeSystemPrintService() {
  return std::make_unique<WindowsPrintService>(MakeWindowsSpooler());
}
