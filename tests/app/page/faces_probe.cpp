// Draws what the user sees into PDFs, in whatever locale it is started in:
// the window with a previewed sheet (DIR/window.pdf), the sheet printed with
// its answers (DIR/sheet.pdf, DIR/sheet-答え.pdf), and text in a QFont of
// each Windows face name (DIR/named.pdf). tst_japanesefamilies
// starts it once per locale and reads the faces back with pdffonts.

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>

#include <cstdio>
#include <memory>

#include "fmain.h"
#include "font_cache.h"
#include "pdf_file.h"
#include "recording_notifier.h"
#include "render/make_print.h"
#include "sheet_printer.h"
#include "system_print_service.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("usage: faces_probe DIR\n", stderr);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);

  RecordingNotifier notifier;
  const std::shared_ptr<PrintService> printService = MakeSystemPrintService();
  TForm1 form(notifier, printService);
  form.findChild<QCheckBox*>(QStringLiteral("D7"))->click();
  form.findChild<QPushButton*>(QStringLiteral("PreviewBtn"))->click();
  if (!form.SheetExists()) return 1;

  QPdfWriter window(dir + QStringLiteral("/window.pdf"));
  window.setResolution(96);
  QPainter painter(&window);
  form.render(&painter);
  if (!painter.end()) return 1;

  QPdfWriter named(dir + QStringLiteral("/named.pdf"));
  painter.begin(&named);
  int y = 0;
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")}) {
    painter.setFont(QFont(face, 12));
    painter.drawText(0, y += 400, QStringLiteral("九九 No.1 ①×＝"));
  }
  if (!painter.end()) return 1;

  FontCache fonts;
  SheetPrinter printer(fonts, printService);
  printer.Choose(PdfFileChoice(dir + QStringLiteral("/sheet.pdf")));
  render::ProblemTextTable texts;
  const auto outcome = printer.Print(
      {render::kQuestionSheet, render::kAnswerSheet},
      [&](render::DrawingSurface& surface, int width, int height, int drawMode) {
        render::MakePrint(surface, width, height, drawMode,
                          {form.CurrentSheet(), form.PrintNumber(), {.rgSquare = 1, .rgNum = 1}},
                          texts);
      });
  return outcome.failure ? 1 : 0;
}
