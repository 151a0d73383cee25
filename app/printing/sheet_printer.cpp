#include "sheet_printer.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>

#include "qt_drawing_surface.h"

namespace {

const QString kJobTitle = QStringLiteral("ｶｹﾏﾙ九九");
const QString kNoDefaultPrinter = QStringLiteral("デフォルト プリンタが存在しません");
const QString kUnsupported = QStringLiteral("選択されたプリンタではサポートされていない機能です");
const QString kInvalidPrinter = QStringLiteral("選択したプリンタは有効ではありません");
const QString kCannotStart = QStringLiteral("印刷を始められませんでした");
const QString kNotAccepted = QStringLiteral("印刷ジョブがプリンタに受け付けられませんでした");
const QString kCannotPrintHere = QStringLiteral("この版のｶｹﾏﾙはプリンタに印刷できません");

// Where Qt's CUPS printing keeps the printer options chosen in the print
// dialog (paper source, quality, ...), as name, value pairs.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

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
    case PrintReply::Unavailable:
      return kCannotPrintHere;
    case PrintReply::Failed:
      break;
  }
  return whenFailed;
}

// What the setup chose, as Qt's own CUPS printing would send it; the sheet
// stays portrait whatever the setup said.
QStringList SetupOptions(QPrinter& printer) {
  QStringList options{QStringLiteral("media"), printer.pageLayout().pageSize().key()};
  if (printer.copyCount() > 1) {
    options << QStringLiteral("copies") << QString::number(printer.copyCount());
    if (printer.collateCopies()) options << QStringLiteral("Collate") << QStringLiteral("True");
  }
  switch (printer.duplex()) {
    case QPrinter::DuplexAuto:
    case QPrinter::DuplexLongSide:
      options << QStringLiteral("sides") << QStringLiteral("two-sided-long-edge");
      break;
    case QPrinter::DuplexShortSide:
      options << QStringLiteral("sides") << QStringLiteral("two-sided-short-edge");
      break;
    case QPrinter::DuplexNone:
      break;
  }
  const QStringList chosen = printer.printEngine()->property(kCupsOptions).toStringList();
  for (qsizetype i = 0; i + 1 < chosen.size(); i += 2) {
    const QString& name = chosen.at(i);
    if (name == QLatin1String("landscape") || name == QLatin1String("orientation-requested")) {
      continue;
    }
    options << name << chosen.at(i + 1);
  }
  return options;
}

}  // namespace

QString AnswerFileName(const QString& questionFile) {
  const QFileInfo file(questionFile);
  const QString suffix = file.suffix();
  const QString base = file.completeBaseName() + QStringLiteral("-答え");
  return file.dir().filePath(suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix);
}

SheetPrinter::SheetPrinter(FontCache& fonts, PrintService& service)
    : m_fonts(fonts), m_service(service) {}

SheetPrinter::~SheetPrinter() = default;

QPrinter& SheetPrinter::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

void SheetPrinter::Setup(QWidget* parent) {
  QPrintDialog dialog(&Printer(), parent);
  dialog.setWindowTitle(QStringLiteral("印刷の設定"));
  // It only sets the printer up; printing is the print buttons' business.
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
      ok->setText(QStringLiteral("設定"));
    }
  }
  if (dialog.exec() == QDialog::Accepted) m_chosenInSetup = true;
}

bool SheetPrinter::PrintsToFile() const {
  return m_printer && m_printer->outputFormat() == QPrinter::PdfFormat &&
         !m_printer->outputFileName().isEmpty();
}

std::optional<QString> SheetPrinter::Print(std::initializer_list<int> drawModes,
                                           const PageDrawer& drawPage) {
  if (PrintsToFile()) return PrintToFiles(drawModes, drawPage);
  const PrintService::Deadline deadline = std::chrono::steady_clock::now() + kServiceTimeLimit;
  PrintJob job;
  PrinterPage page;
  if (auto failure = ChoosePrinter(deadline, job.printer, page)) return failure;
  job.title = kJobTitle;
  job.options = page.options;
  for (const int drawMode : drawModes) {
    job.document = DrawDocument(page, drawMode, drawPage);
    if (job.document.isEmpty()) return kCannotStart;
    if (auto failure = MessageFor(m_service.StartJob(deadline, job), kNotAccepted)) {
      return failure;
    }
  }
  return std::nullopt;
}

// The setup's printer and page once it is accepted, else the service's
// default printer on its default paper; portrait either way.
std::optional<QString> SheetPrinter::ChoosePrinter(PrintService::Deadline deadline,
                                                   QString& printerName, PrinterPage& page) {
  if (m_chosenInSetup) {
    QPrinter& printer = *m_printer;
    printerName = printer.printerName();
    if (printerName.isEmpty()) return kInvalidPrinter;
    if (auto failure = MessageFor(m_service.PrinterState(deadline, printerName))) return failure;
    if (!printer.setPageOrientation(QPageLayout::Portrait)) return kUnsupported;
    page = {printer.pageLayout(), printer.resolution(), SetupOptions(printer)};
    return std::nullopt;
  }
  const PrintReply found = m_service.DefaultPrinter(deadline, printerName);
  if (found == PrintReply::NoPrinter) return kNoDefaultPrinter;
  if (auto failure = MessageFor(found)) return failure;
  if (auto failure = MessageFor(m_service.PrinterState(deadline, printerName))) return failure;
  if (auto failure = MessageFor(m_service.DefaultPage(deadline, printerName, page))) {
    return failure;
  }
  page.layout.setOrientation(QPageLayout::Portrait);
  return std::nullopt;
}

// One page as PDF: the paper whole, drawn from the top-left corner of its
// printable area at the printer's resolution. Empty when it cannot be drawn.
QByteArray SheetPrinter::DrawDocument(const PrinterPage& page, int drawMode,
                                      const PageDrawer& drawPage) {
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  QPdfWriter writer(&document);
  writer.setTitle(kJobTitle);
  writer.setResolution(page.resolution);
  if (!writer.setPageLayout(page.layout)) return {};
  const QSize printable = page.layout.paintRectPixels(page.resolution).size();
  if (PaintPage(writer, printable, drawMode, drawPage)) return {};
  return document.data();
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

std::optional<QString> SheetPrinter::PrintToFiles(std::initializer_list<int> drawModes,
                                                  const PageDrawer& drawPage) {
  QPrinter& printer = *m_printer;
  if (!printer.setPageOrientation(QPageLayout::Portrait)) return kUnsupported;
  const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
  const QString questionFile = printer.outputFileName();
  std::optional<QString> failure;
  for (const int drawMode : drawModes) {
    printer.setDocName(kJobTitle);
    failure = PaintPage(printer, printable.size(), drawMode, drawPage);
    if (failure) break;
    // Any page after the first holds the answers: beside, not over, the questions.
    printer.setOutputFileName(AnswerFileName(questionFile));
  }
  printer.setOutputFileName(questionFile);
  return failure;
}
