#include "sheet_printer.h"

#include <QApplication>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <thread>
#include <utility>
#include <vector>

#include "application_identity.h"
#include "qt_drawing_surface.h"

namespace {

using Clock = std::chrono::steady_clock;

const QString kNoDefaultPrinter = QStringLiteral("デフォルト プリンタが存在しません");
const QString kUnsupported = QStringLiteral("選択されたプリンタではサポートされていない機能です");
const QString kInvalidPrinter = QStringLiteral("選択したプリンタは有効ではありません");
const QString kCannotStart = QStringLiteral("印刷を始められませんでした");
const QString kNotAccepted = QStringLiteral("印刷ジョブがプリンタに受け付けられませんでした");
const QString kCannotPrintHere = QStringLiteral("この版のｶｹﾏﾙはプリンタに印刷できません");
const QString kNoService = QStringLiteral("印刷サービスに接続できません");
const QString kServiceSilent = QStringLiteral("印刷サービスが応答しません");
const QString kAnswersNotPrinted = QStringLiteral("答えの用紙を印刷できませんでした");
const QString kUnconfirmed = QStringLiteral("印刷できたかどうかを確かめられませんでした");
const QString kSetupFailed = QStringLiteral("印刷の設定を開けませんでした");

// A failure that may pass is asked again, this many times in all, with this
// pause before the second try, doubled for each further one.
constexpr int kTries = 3;
constexpr std::chrono::milliseconds kFirstPause{50};

// The message for a reply; whenFailed tells what an unexplained failure means
// at this step.
std::optional<QString> MessageFor(PrintReply reply, const QString& whenFailed = kCannotStart) {
  switch (reply) {
    case PrintReply::Done:
      return std::nullopt;
    case PrintReply::NoPrinter:
    case PrintReply::NotAccepting:
      return kInvalidPrinter;
    case PrintReply::Unsupported:
      return kUnsupported;
    case PrintReply::NoAnswer:
      return kCannotStart;
    case PrintReply::Unconfirmed:
      return kUnconfirmed;
    case PrintReply::NoService:
      return kNoService;
    case PrintReply::Unavailable:
      return kCannotPrintHere;
    case PrintReply::Failed:
      break;
  }
  return whenFailed;
}

// What the setup shows and chooses: the printer or file, the paper, copies
// and sides.
void CopySetup(const QPrinter& from, QPrinter& to) {
  if (from.outputFormat() == QPrinter::PdfFormat) {
    to.setOutputFormat(QPrinter::PdfFormat);
    to.setOutputFileName(from.outputFileName());
  } else {
    to.setPrinterName(from.printerName());
  }
  to.setPageLayout(from.pageLayout());
  to.setCopyCount(from.copyCount());
  to.setCollateCopies(from.collateCopies());
  to.setDuplex(from.duplex());
  to.setColorMode(from.colorMode());
}

// The file a print to a file goes into; empty when cancelled. A name
// ending in .pdf makes PDF files, as on Linux; another gets what the
// printer's driver writes.
QString AskFileName(QWidget* parent) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("ファイルへ出力"), QString(),
                                      QStringLiteral("PDF ファイル (*.pdf);;すべてのファイル (*)"));
}

}  // namespace

QString AnswerFileName(const QString& questionFile) {
  const QFileInfo file(questionFile);
  const QString suffix = file.suffix();
  const QString base = file.completeBaseName() + QStringLiteral("-答え");
  return file.dir().filePath(suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix);
}

namespace {

// Any job after the first holds the answers: into a file the setup chose,
// they go beside the questions, not over them, as with a PDF file.
void PutAnswersBeside(QStringList& options) {
  for (qsizetype at = 0; at + 1 < options.size(); at += 2) {
    if (options.at(at) == kOutputFileOption) options[at + 1] = AnswerFileName(options.at(at + 1));
  }
}

}  // namespace

SheetPrinter::SheetPrinter(FontCache& fonts, PrintService& service)
    : m_fonts(fonts), m_service(service) {}

SheetPrinter::~SheetPrinter() = default;

QPrinter& SheetPrinter::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

// One request on the service's thread. A service out of reach is asked
// again, and so is a failed question, which changes nothing there; a failed
// job is not sent again, since it may have been taken. A job whose request
// was still going when the time ran out may print all the same.
PrintReply SheetPrinter::Ask(PrintService::Deadline deadline, bool sendsJob,
                             const std::function<PrintReply(PrintService&)>& request) {
  PrintService* service = &m_service;
  std::chrono::milliseconds pause = kFirstPause;
  for (int tries = 1;; ++tries, pause *= 2) {
    const ServiceWait::Outcome outcome =
        m_wait.Run(deadline, [service, request] { return request(*service); });
    const PrintReply reply = outcome.reply.value_or(
        sendsJob && outcome.started ? PrintReply::Unconfirmed : PrintReply::NoAnswer);
    const bool mayPass =
        reply == PrintReply::NoService || (reply == PrintReply::Failed && !sendsJob);
    if (!mayPass || tries == kTries || Clock::now() + pause >= deadline) return reply;
    m_wait.Run(deadline, [pause] {
      std::this_thread::sleep_for(pause);
      return PrintReply::Done;
    });
  }
}

std::optional<QString> SheetPrinter::Setup(QWidget* parent) {
  const PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  const PrintReply reply = Ask(deadline, false, [deadline](PrintService& service) {
    return service.ServiceState(deadline);
  });
  // Without a service that answers, Qt's dialog would wait for it a minute
  // or more; a build that cannot print still sets up printing to a file.
  if (reply == PrintReply::NoAnswer) return kServiceSilent;
  if (reply == PrintReply::NoService) return kNoService;

  // The print system's own setup dialog, where it has one.
  const PrintReply own = m_service.SystemSetup(deadline, m_wait, parent);
  if (own == PrintReply::NoAnswer) return kServiceSilent;
  if (own == PrintReply::NoPrinter) return kNoDefaultPrinter;
  if (own != PrintReply::Unavailable) return MessageFor(own, kSetupFailed);

  // Qt's dialog changes its printer as the user goes: it works on a copy of
  // the current choice, which becomes current only with OK.
  auto candidate = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (m_printer) CopySetup(*m_printer, *candidate);
  QPrintDialog dialog(candidate.get(), parent);
  dialog.setWindowTitle(QStringLiteral("印刷の設定"));
  // It only sets the printer up; printing is the print buttons' business.
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
      ok->setText(QStringLiteral("設定"));
    }
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // Windows' dialog prints to a file as the port "FILE:", for which Windows
  // would ask the file's name while the job waits on the service's thread:
  // asked here instead.
  if (candidate->outputFileName() == QLatin1String("FILE:")) {
    const QString file = AskFileName(parent);
    if (file.isEmpty()) return std::nullopt;
    candidate->setOutputFileName(file);
  }
  m_printer = std::move(candidate);
  m_chosenInSetup = true;
  return std::nullopt;
}

bool SheetPrinter::PrintsToFile() const {
  return m_printer && m_printer->outputFormat() == QPrinter::PdfFormat &&
         !m_printer->outputFileName().isEmpty();
}

PrintOutcome SheetPrinter::Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage) {
  if (PrintsToFile()) return PrintToFiles(drawModes, drawPage);
  PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  PrintJob job;
  PrinterPage page;
  if (auto failure = ChoosePrinter(deadline, job.printer, page)) return {false, failure};
  job.title = kProgramTitle;
  job.options = page.options;
  // A printer whose port asks for a file at the job's start would ask it on
  // the service's thread: asked here first. Cancelled, nothing is printed;
  // the time limit starts again once it is answered.
  if (m_service.AsksForFile(job.printer)) {
    const QString file = AskFileName(QApplication::activeWindow());
    if (file.isEmpty()) return {false, std::nullopt};
    job.options << kOutputFileOption << file;
    deadline = Clock::now() + kServiceTimeLimit;
  }
  job.layout = page.layout;
  job.resolution = page.resolution;
  job.printable = page.printable;
  // Every sheet drawn before the first is sent: the answer sheet shows the
  // same options as its questions, whatever changes while the first job goes.
  std::vector<QByteArray> documents(drawModes.size());
  auto document = documents.begin();
  for (const int drawMode : drawModes) {
    if (auto failure = DrawDocument(page, drawMode, drawPage, *document++)) {
      return {false, failure};
    }
  }
  bool numberUsed = false;
  for (QByteArray& each : documents) {
    job.document = std::move(each);
    const PrintReply reply = Ask(deadline, true, [deadline, job](PrintService& service) {
      return service.StartJob(deadline, job);
    });
    if (reply == PrintReply::Done) {
      numberUsed = true;
      PutAnswersBeside(job.options);
      continue;
    }
    if (reply == PrintReply::Unconfirmed) return {true, kUnconfirmed};
    if (numberUsed) return {true, kAnswersNotPrinted};
    return {false, MessageFor(reply, kNotAccepted)};
  }
  return {numberUsed, std::nullopt};
}

// The setup's printer and page once it is accepted, else the service's
// default printer on its default paper; portrait either way.
std::optional<QString> SheetPrinter::ChoosePrinter(PrintService::Deadline deadline,
                                                   QString& printerName, PrinterPage& page) {
  const auto askState = [&] {
    return Ask(deadline, false, [deadline, printerName](PrintService& service) {
      return service.PrinterState(deadline, printerName);
    });
  };
  if (m_chosenInSetup) {
    QPrinter& printer = *m_printer;
    printerName = printer.printerName();
    if (printerName.isEmpty()) return kInvalidPrinter;
    if (auto failure = MessageFor(askState())) return failure;
    // Turned portrait as a value: on Windows a change to the printer itself
    // asks its driver, on this thread and without a time limit.
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    page = {layout, printer.resolution(), m_service.SetupOptions(printer), {}};
    return std::nullopt;
  }
  auto found = std::make_shared<QString>();
  const PrintReply reply = Ask(deadline, false, [deadline, found](PrintService& service) {
    return service.DefaultPrinter(deadline, *found);
  });
  if (reply == PrintReply::NoPrinter) return kNoDefaultPrinter;
  if (auto failure = MessageFor(reply)) return failure;
  printerName = *found;
  if (auto failure = MessageFor(askState())) return failure;
  auto told = std::make_shared<PrinterPage>();
  const PrintReply paper =
      Ask(deadline, false, [deadline, printerName, told](PrintService& service) {
        return service.DefaultPage(deadline, printerName, *told);
      });
  if (auto failure = MessageFor(paper)) return failure;
  page = *told;
  page.layout.setOrientation(QPageLayout::Portrait);
  return std::nullopt;
}

// One page as the service takes it, drawn from the top-left corner of its
// printable area at the printer's resolution: a PDF of the paper whole, or
// the drawing itself, which the service replays on the printer.
std::optional<QString> SheetPrinter::DrawDocument(const PrinterPage& page, int drawMode,
                                                  const PageDrawer& drawPage,
                                                  QByteArray& document) {
  const QSize printable = page.printable.isEmpty()
                              ? page.layout.paintRectPixels(page.resolution).size()
                              : page.printable.size();
  if (m_service.Document() == JobDocument::Picture) {
    if (printable.isEmpty()) return kUnsupported;
    QPicture picture;
    if (auto failure = PaintPage(picture, printable, drawMode, drawPage)) return failure;
    document = QByteArray(picture.data(), picture.size());
    return std::nullopt;
  }
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setTitle(kProgramTitle);
  writer.setResolution(page.resolution);
  if (!writer.setPageLayout(page.layout)) return kUnsupported;
  if (auto failure = PaintPage(writer, printable, drawMode, drawPage)) return failure;
  document = buffer.data();
  return std::nullopt;
}

std::optional<QString> SheetPrinter::PaintPage(QPaintDevice& device, QSize size, int drawMode,
                                               const PageDrawer& drawPage) {
  QPainter painter;
  if (!painter.begin(&device)) return kCannotStart;
  {
    QtDrawingSurface surface(painter, m_fonts);
    drawPage(surface, size.width(), size.height(), drawMode);
  }
  if (!painter.end()) return kNotAccepted;
  return std::nullopt;
}

PrintOutcome SheetPrinter::PrintToFiles(std::initializer_list<int> drawModes,
                                        const PageDrawer& drawPage) {
  QPrinter& printer = *m_printer;
  if (!printer.setPageOrientation(QPageLayout::Portrait)) return {false, kUnsupported};
  const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
  const QString questionFile = printer.outputFileName();
  PrintOutcome outcome;
  for (const int drawMode : drawModes) {
    printer.setDocName(kProgramTitle);
    if (auto failure = PaintPage(printer, printable.size(), drawMode, drawPage)) {
      outcome.failure = outcome.numberUsed ? kAnswersNotPrinted : *failure;
      break;
    }
    outcome.numberUsed = true;
    // Any page after the first holds the answers: beside, not over, the questions.
    printer.setOutputFileName(AnswerFileName(questionFile));
  }
  printer.setOutputFileName(questionFile);
  return outcome;
}
