#include "sheet_printer.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

#include <thread>
#include <type_traits>
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

PrintReply ReplyOf(PrintReply reply) {
  return reply;
}

template <typename T>
PrintReply ReplyOf(const PrintAnswer<T>& answer) {
  return answer.reply;
}

template <typename Result>
Result WithReply(PrintReply reply) {
  if constexpr (std::is_same_v<Result, PrintReply>) {
    return reply;
  } else {
    return Result{reply, {}};
  }
}

// Writes a PDF the program made into a file of its own.
PrintReply WriteFile(const QString& name, const QByteArray& document) {
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return PrintReply::NoPrinter;
  const bool written = file.write(document) == document.size();
  file.close();
  return written && file.error() == QFileDevice::NoError ? PrintReply::Done : PrintReply::Failed;
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

SheetPrinter::SheetPrinter(FontCache& fonts, std::shared_ptr<PrintService> service)
    : m_fonts(fonts),
      m_service(std::move(service)),
      m_setup(MakePrinterSetup(m_service)),
      m_wait(kServiceTimeLimit) {}

SheetPrinter::~SheetPrinter() = default;

// One request on the service's thread, answering its reply and its value. A
// service out of reach is asked again, and so is a failed question, which
// changes nothing there; a failed job is not sent again, since it may have
// been taken. A job whose request was still going when the time ran out may
// print all the same.
template <typename Request>
auto SheetPrinter::Ask(PrintService::Deadline deadline, bool sendsJob, Request request) {
  using Result = std::invoke_result_t<Request&, PrintService&>;
  std::chrono::milliseconds pause = kFirstPause;
  for (int tries = 1;; ++tries, pause *= 2) {
    auto outcome = m_wait.Run(
        deadline, [service = m_service, request]() mutable { return request(*service); });
    Result result = outcome.result
                        ? std::move(*outcome.result)
                        : WithReply<Result>(sendsJob && outcome.started ? PrintReply::Unconfirmed
                                                                        : PrintReply::NoAnswer);
    const PrintReply reply = ReplyOf(result);
    const bool mayPass =
        reply == PrintReply::NoService || (reply == PrintReply::Failed && !sendsJob);
    if (!mayPass || tries == kTries || Clock::now() + pause >= deadline) return result;
    m_wait.Run(deadline, [pause] {
      std::this_thread::sleep_for(pause);
      return true;
    });
  }
}

PrintAnswer<PrinterList> SheetPrinter::Printers() {
  const PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  return Ask(deadline, false,
             [deadline](PrintService& service) { return service.Printers(deadline); });
}

PrintAnswer<PrinterPapers> SheetPrinter::Papers(const QString& printer) {
  const PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  return Ask(deadline, false, [deadline, printer](PrintService& service) {
    return service.Papers(deadline, printer);
  });
}

PrintReply SheetPrinter::WaitFor(std::function<bool(PrintService::Deadline)> ready) {
  const PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  const auto outcome =
      m_wait.Run(deadline, [ready = std::move(ready), deadline] { return ready(deadline); });
  return outcome.result && *outcome.result ? PrintReply::Done : PrintReply::NoAnswer;
}

std::optional<QString> SheetPrinter::Setup(QWidget* parent) {
  const PrintAnswer<std::optional<PrinterChoice>> answer = m_setup->Run(parent, m_choice, *this);
  if (answer.reply == PrintReply::NoAnswer) return kServiceSilent;
  if (auto failure = MessageFor(answer.reply)) return failure;
  if (answer.value) m_choice = *answer.value;
  return std::nullopt;
}

PrintOutcome SheetPrinter::Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage) {
  PrintService::Deadline deadline = Clock::now() + kServiceTimeLimit;
  PrintJob job;
  job.title = kProgramTitle;
  if (auto failure = Target(deadline, job)) return {false, failure};
  // A printer that asks for its file at the job's start would ask it on the
  // service's thread: asked here first. Cancelled, nothing is printed; the
  // time limit starts again once it is answered.
  if (!job.printer.isEmpty() && job.file.isEmpty() && m_service->AsksForFile(job.printer)) {
    job.file = AskFileName(QApplication::activeWindow());
    if (job.file.isEmpty()) return {false, std::nullopt};
    if (job.file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) job.printer.clear();
    deadline = Clock::now() + kServiceTimeLimit;
  }
  // A PDF file of the program's own: written here, no service asked.
  const bool ownFile = job.printer.isEmpty();
  const QString questionFile = job.file;
  // Tried before anything is drawn, without emptying a file that is there:
  // it keeps what it held unless the sheet is written.
  if (ownFile && !QFile(questionFile).open(QIODevice::WriteOnly | QIODevice::Append)) {
    return {false, kCannotStart};
  }
  // Every sheet drawn before the first is sent: the answer sheet shows the
  // same options as its questions, whatever changes while the first job goes.
  const JobDocument kind = ownFile ? JobDocument::Pdf : m_service->Document();
  std::vector<QByteArray> documents(drawModes.size());
  auto document = documents.begin();
  for (const int drawMode : drawModes) {
    if (auto failure = DrawDocument(kind, job.page, drawMode, drawPage, *document++)) {
      return {false, failure};
    }
  }
  bool numberUsed = false;
  for (QByteArray& each : documents) {
    job.document = std::move(each);
    // Any job after the first holds the answers: into a file, they go
    // beside the questions, not over them.
    if (numberUsed && !questionFile.isEmpty()) job.file = AnswerFileName(questionFile);
    const PrintReply reply = ownFile ? WriteFile(job.file, job.document)
                                     : Ask(deadline, true, [deadline, job](PrintService& service) {
                                         return service.StartJob(deadline, job);
                                       });
    if (reply == PrintReply::Done) {
      numberUsed = true;
      continue;
    }
    if (reply == PrintReply::Unconfirmed) return {true, kUnconfirmed};
    if (numberUsed) return {true, kAnswersNotPrinted};
    return {false, MessageFor(reply, kNotAccepted)};
  }
  return {numberUsed, std::nullopt};
}

// Where the job goes and on what: the setup's choice once it is accepted,
// else the service's default printer on its default paper; portrait either
// way.
std::optional<QString> SheetPrinter::Target(PrintService::Deadline deadline, PrintJob& job) {
  const auto askState = [&] {
    return Ask(deadline, false, [deadline, printer = job.printer](PrintService& service) {
      return service.PrinterState(deadline, printer);
    });
  };
  if (m_choice) {
    job.printer = m_choice->printer;
    job.file = m_choice->file;
    job.page = m_choice->page;
    job.options = m_choice->options;
    job.page.layout.setOrientation(QPageLayout::Portrait);
    if (job.printer.isEmpty())
      return job.file.isEmpty() ? std::optional(kCannotStart) : std::nullopt;
    return MessageFor(askState());
  }
  const PrintAnswer<QString> found = Ask(deadline, false, [deadline](PrintService& service) {
    return service.DefaultPrinter(deadline);
  });
  if (found.reply == PrintReply::NoPrinter) return kNoDefaultPrinter;
  if (auto failure = MessageFor(found.reply)) return failure;
  job.printer = found.value;
  if (auto failure = MessageFor(askState())) return failure;
  const PrintAnswer<PrinterPaper> paper =
      Ask(deadline, false, [deadline, printer = job.printer](PrintService& service) {
        return service.DefaultPaper(deadline, printer);
      });
  if (auto failure = MessageFor(paper.reply)) return failure;
  job.page = paper.value.page;
  job.page.layout.setOrientation(QPageLayout::Portrait);
  job.options.paper = paper.value.paper.name;
  return std::nullopt;
}

// One page as it is sent, drawn from the top-left corner of its printable
// area at the printer's resolution: a PDF of the paper whole, or the drawing
// itself, which the service replays on the printer.
std::optional<QString> SheetPrinter::DrawDocument(JobDocument kind, const PrinterPage& page,
                                                  int drawMode, const PageDrawer& drawPage,
                                                  QByteArray& document) {
  if (!page.layout.isValid() || page.resolution <= 0) return kUnsupported;
  const QSize printable = page.printable.isEmpty()
                              ? page.layout.paintRectPixels(page.resolution).size()
                              : page.printable.size();
  if (kind == JobDocument::Picture) {
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
