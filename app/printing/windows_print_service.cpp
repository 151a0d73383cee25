#include "windows_print_service.h"

#include "system_print_service.h"

#include <QLocale>
#include <QPageSize>
#include <QPrinterInfo>

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
  return {QPageLayout(paper, QPageLayout::Portrait, QMarginsF()), kFallbackResolution, {}};
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
          resolution, pixelsTold ? paper.printable : QRect()};
}

}  // namespace

WindowsPrintService::WindowsPrintService(std::unique_ptr<WindowsSpooler> spooler)
    : m_spooler(std::move(spooler)) {}

// The printers as Qt lists them from the spooler, once the spooler answers.
PrintAnswer<PrinterList> WindowsPrintService::Printers(Deadline deadline) {
  const PrintReply reply = ReplyFor(m_spooler->Check(), deadline);
  if (reply != PrintReply::Done) return {reply, {}};
  PrinterList list{QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()};
  if (Clock::now() >= deadline) return {PrintReply::NoAnswer, {}};
  return {PrintReply::Done, list};
}

// The setup's printer, once chosen, else Windows' default.
PrintAnswer<QString> WindowsPrintService::DefaultPrinter(Deadline deadline) {
  if (const std::optional<WindowsSpooler::Choice> chosen = Chosen()) {
    return {PrintReply::Done, chosen->printer};
  }
  QString found;
  const unsigned long error = m_spooler->DefaultPrinter(found);
  // GetDefaultPrinterW's way of saying there is none.
  if (error == ERROR_FILE_NOT_FOUND && Clock::now() < deadline) return {PrintReply::NoPrinter, {}};
  const PrintReply reply = ReplyFor(error, deadline);
  if (reply != PrintReply::Done) return {reply, {}};
  if (found.isEmpty()) return {PrintReply::NoPrinter, {}};
  return {PrintReply::Done, found};
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

// The paper travels as the job's page; its name only tells it apart.
PrintAnswer<PrinterPaper> WindowsPrintService::DefaultPaper(Deadline deadline,
                                                            const QString& printer) {
  WindowsSpooler::Paper paper;
  const PrintReply reply =
      ReplyFor(m_spooler->DefaultPaper(printer, ChosenDevMode(printer), paper), deadline);
  if (reply != PrintReply::Done) return {reply, {}};
  PrinterPaper answer;
  answer.page = paper.size.isEmpty() ? UntoldPage() : PageOf(paper);
  answer.paper = {answer.page.layout.pageSize().key(), answer.page.layout.pageSize().name()};
  return {PrintReply::Done, answer};
}

// The driver's papers as Qt lists them, with the margins and resolution of
// its default paper; the paper source is left to the driver.
PrintAnswer<PrinterPapers> WindowsPrintService::Papers(Deadline deadline, const QString& printer) {
  const PrintAnswer<PrinterPaper> standard = DefaultPaper(deadline, printer);
  if (standard.reply != PrintReply::Done) return {standard.reply, {}};
  const QPageLayout& usual = standard.value.page.layout;
  PrinterPapers papers;
  for (const QPageSize& size : QPrinterInfo::printerInfo(printer).supportedPageSizes()) {
    if (size.isEquivalentTo(usual.pageSize())) {
      papers.defaultPaper = papers.papers.size();
      papers.papers << standard.value;
      continue;
    }
    const QPageLayout layout(size, QPageLayout::Portrait, usual.margins(), usual.units());
    papers.papers << PrinterPaper{{size.key(), size.name()},
                                  {layout, standard.value.page.resolution, {}}};
  }
  if (papers.papers.isEmpty()) papers.papers << standard.value;
  if (Clock::now() >= deadline) return {PrintReply::NoAnswer, {}};
  return {PrintReply::Done, papers};
}

PrintReply WindowsPrintService::StartJob(Deadline deadline, const PrintJob& job) {
  if (job.document.isEmpty() || job.page.resolution <= 0) return PrintReply::Failed;
  return m_spooler->Print(deadline, job, ChosenDevMode(job.printer));
}

bool WindowsPrintService::AsksForFile(const QString& printer) const {
  const std::lock_guard lock(m_mutex);
  return m_asksForFile.contains(printer);
}

std::optional<WindowsSpooler::Choice> WindowsPrintService::Chosen() const {
  const std::lock_guard lock(m_mutex);
  return m_chosen;
}

void WindowsPrintService::Choose(WindowsSpooler::Choice choice) {
  const std::lock_guard lock(m_mutex);
  m_chosen = std::move(choice);
}

QByteArray WindowsPrintService::ChosenDevMode(const QString& printer) const {
  const std::lock_guard lock(m_mutex);
  return m_chosen && m_chosen->printer == printer ? m_chosen->devMode : QByteArray();
}

std::unique_ptr<PrintService> MakeSystemPrintService() {
  return std::make_unique<WindowsPrintService>(MakeWindowsSpooler());
}
