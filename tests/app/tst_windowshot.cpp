// The real window on a real X server (Xvfb): preview a sheet as a user would
// and save what the screen shows, for people to look at and for the README.

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "fmain.h"
#include "message_boxes.h"
#include "option_group.h"

class TestWindowShot : public QObject {
  Q_OBJECT

 private slots:
  void previewedSheet();
};

void TestWindowShot::previewedSheet() {
  QVERIFY(QDir().mkpath(KAKEMARU_ARTIFACT_DIR));
  MessageBoxes boxes;
  TForm1 form(boxes);
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
}

QTEST_MAIN(TestWindowShot)
#include "tst_windowshot.moc"
