// The real window on a real X server (Xvfb): preview a sheet as a user would
// and save what the screen shows, and the sheet printed to PDF, for people to
// look at and for the README (scripts/make-pictures.sh).

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <QPrinter>

#include <memory>

#include "artifact_dir.h"
#include "fmain.h"
#include "font_cache.h"
#include "message_boxes.h"
#include "option_group.h"
#include "pdf_file.h"
#include "render/make_print.h"
#include "sheet_printer.h"
#include "system_print_service.h"

class TestWindowShot : public QObject {
  Q_OBJECT

 private slots:
  void previewedSheet();
};

void TestWindowShot::previewedSheet() {
  QVERIFY(QDir().mkpath(KAKEMARU_ARTIFACT_DIR));
  MessageBoxes boxes;
  const std::shared_ptr<PrintService> printService = MakeSystemPrintService();
  TForm1 form(boxes, printService);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  for (const char* table : {"D3", "D7"}) {
    QTest::mouseClick(form.findChild<QCheckBox*>(QLatin1String(table)), Qt::LeftButton);
  }
  QTest::mouseClick(form.findChild<OptionGroup*>(QStringLiteral("QNumCheck"))->Item(2),
                    Qt::LeftButton);
  QTest::mouseClick(form.findChild<OptionGroup*>(QStringLiteral("rgNum"))->Item(1), Qt::LeftButton);
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QVERIFY(form.SheetExists());

  const auto shoot = [&form](const QString& name) {
    QTest::qWait(200);
    const QPixmap shot =
        form.screen()->grabWindow(0, form.x(), form.y(), form.width(), form.height());
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.size(), form.size() * form.devicePixelRatioF());
    QVERIFY(shot.save(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/%1.png").arg(name)));
  };
  shoot(QStringLiteral("window-answers"));
  // The next repaint shows the question sheet.
  form.update();
  shoot(QStringLiteral("window-questions"));

  // The same sheet printed with its answers, to PDF files as a printer that
  // writes files would.
  FontCache fonts;
  SheetPrinter printer(fonts, printService);
  printer.Choose(PdfFileChoice(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/sheet.pdf")));
  render::ProblemTextTable texts;
  const auto outcome = printer.Print(
      {render::kQuestionSheet, render::kAnswerSheet},
      [&](render::DrawingSurface& surface, int width, int height, int drawMode) {
        render::MakePrint(surface, width, height, drawMode,
                          {form.CurrentSheet(), form.PrintNumber(), {.rgNum = 1}}, texts);
      });
  QVERIFY(!outcome.failure);
  QVERIFY(QFile::exists(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/sheet.pdf")));
  QVERIFY(QFile::exists(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/sheet-答え.pdf")));
}

QTEST_MAIN(TestWindowShot)
#include "tst_windowshot.moc"
