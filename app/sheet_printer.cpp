#include "sheet_printer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <cups/cups.h>

#include "qt_drawing_surface.h"

namespace {

const QString kJobTitle = QStringLiteral("ｶｹﾏﾙ九九");
const QString kNoDefaultPrinter = QStringLiteral("デフォルト プリンタが存在しません");
const QString kUnsupported = QStringLiteral("選択されたプリンタではサポートされていない機能です");
const QString kInvalidPrinter = QStringLiteral("選択したプリンタは有効ではありません");
const QString kCannotStart = QStringLiteral("印刷を始められませんでした");
const QString kNotAccepted = QStringLiteral("印刷ジョブがプリンタに受け付けられませんでした");

// Whether the print service knows the queue and takes jobs for it now. Qt
// reports neither: it prints to a vanished queue as to a file and does not
// see a queue that rejects jobs.
bool QueueTakesJobs(const QString& name) {
  const QByteArray queue = name.toUtf8();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
  if (dest == nullptr) return false;
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  const bool takesJobs = accepting == nullptr || qstrcmp(accepting, "false") != 0;
  cupsFreeDests(1, dest);
  return takesJobs;
}

}  // namespace

QString AnswerFileName(const QString& questionFile) {
  const QFileInfo file(questionFile);
  const QString suffix = file.suffix();
  const QString base = file.completeBaseName() + QStringLiteral("-答え");
  return file.dir().filePath(suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix);
}

SheetPrinter::SheetPrinter(FontCache& fonts) : m_fonts(fonts) {}

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
  return m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty();
}

std::optional<QString> SheetPrinter::ChooseCurrentPrinter() {
  QPrinter& printer = Printer();
  if (!m_chosenInSetup && !PrintsToFile()) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) return kNoDefaultPrinter;
    printer.setPrinterName(defaultPrinter.printerName());
  }
  if (!PrintsToFile() && !QueueTakesJobs(printer.printerName())) return kInvalidPrinter;
  if (!printer.setPageOrientation(QPageLayout::Portrait)) return kUnsupported;
  return std::nullopt;
}

std::optional<QString> SheetPrinter::Print(std::initializer_list<int> drawModes,
                                           const PageDrawer& drawPage) {
  if (auto failure = ChooseCurrentPrinter()) return failure;
  QPrinter& printer = Printer();
  const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
  const QString questionFile = printer.outputFileName();
  std::optional<QString> failure;
  for (const int drawMode : drawModes) {
    failure = PrintJob(drawMode, printable.width(), printable.height(), drawPage);
    if (failure) break;
    // Any job after the first holds the answers: beside, not over, the questions.
    if (PrintsToFile()) printer.setOutputFileName(AnswerFileName(questionFile));
  }
  if (PrintsToFile()) printer.setOutputFileName(questionFile);
  return failure;
}

std::optional<QString> SheetPrinter::PrintJob(int drawMode, int width, int height,
                                              const PageDrawer& drawPage) {
  QPrinter& printer = Printer();
  printer.setDocName(kJobTitle);
  QPainter painter;
  if (!painter.begin(&printer)) return kCannotStart;
  {
    QtDrawingSurface surface(painter, m_fonts);
    drawPage(surface, width, height, drawMode);
  }
  const bool ended = painter.end();
  const bool sent = PrintsToFile() || cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
  if (!ended || !sent || printer.printerState() == QPrinter::Error ||
      printer.printerState() == QPrinter::Aborted) {
    return kNotAccepted;
  }
  return std::nullopt;
}
