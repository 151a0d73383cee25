// What the option groups draw, pixel by pixel, at the scale the test runs
// at (it runs once per scale factor and font resolution): every item draws
// inside its own share of the group, apart from its neighbours and clear of
// the group's frame and caption, and loses at most the outermost row of its
// caption's ink where its share is lower than the ink.

#include <QPainter>
#include <QRadioButton>
#include <QtTest>

#include <cmath>
#include <memory>
#include <vector>

#include "fmain.h"
#include "option_group.h"
#include "option_item.h"
#include "recording_notifier.h"
#include "system_print_service.h"

namespace {

// Pixels drawn by one widget alone, in its group's device pixels.
struct Ink {
  QImage image;
  bool At(int x, int y) const {
    return image.rect().contains(x, y) && qAlpha(image.pixel(x, y)) > 0;
  }
  int FirstRow() const {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (At(x, y)) return y;
    return -1;
  }
  int LastRow() const {
    for (int y = image.height() - 1; y >= 0; --y)
      for (int x = 0; x < image.width(); ++x)
        if (At(x, y)) return y;
    return -1;
  }
};

Ink Drawn(QWidget* widget, QSize canvas, QPoint offset, QWidget::RenderFlags flags) {
  const qreal ratio = widget->devicePixelRatioF();
  QImage image(canvas * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  widget->render(&image, offset, QRegion(), flags);
  return {image};
}

// Whether some pixel of `a` is, or touches, a pixel of `b`.
bool Touch(const Ink& a, const Ink& b) {
  for (int y = 0; y < a.image.height(); ++y)
    for (int x = 0; x < a.image.width(); ++x)
      if (a.At(x, y))
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (b.At(x + dx, y + dy)) return true;
  return false;
}

}  // namespace

class TestOptionGroups : public QObject {
  Q_OBJECT

 private slots:
  void itemsDrawInTheirOwnShares_data();
  void itemsDrawInTheirOwnShares();
};

void TestOptionGroups::itemsDrawInTheirOwnShares_data() {
  QTest::addColumn<QString>("name");
  // QNumCheck's fourteen items have less room than their ink: neighbours
  // may meet there but never overlap.
  QTest::addColumn<bool>("apart");
  for (const char* name :
       {"ImportantDan", "RandomCheck", "JousuuCheck", "rgSquare", "rgMulti", "rgNum"}) {
    QTest::newRow(name) << QString::fromLatin1(name) << true;
  }
  QTest::newRow("QNumCheck") << QStringLiteral("QNumCheck") << false;
}

void TestOptionGroups::itemsDrawInTheirOwnShares() {
  QFETCH(QString, name);
  QFETCH(bool, apart);
  RecordingNotifier notifier;
  TForm1 form(notifier, MakeSystemPrintService());
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  auto* group = form.findChild<OptionGroup*>(name);
  QVERIFY(group != nullptr);
  group->setEnabled(true);
  const qreal ratio = group->devicePixelRatioF();
  const int rowsPerPixel = static_cast<int>(std::ceil(ratio));

  // The frame and the caption, without the items.
  const Ink frame = Drawn(group, group->size(), {}, {});
  std::vector<Ink> items;
  for (int index = 0; index < group->Count(); ++index) {
    QRadioButton* item = group->Item(index);
    items.push_back(Drawn(item, group->size(), item->pos(), {}));
    QVERIFY2(items.back().FirstRow() >= 0, qPrintable(item->text()));
    QVERIFY2(!Touch(items.back(), frame), qPrintable(item->text() + " meets the frame"));
  }
  for (std::size_t a = 0; a < items.size(); ++a) {
    for (std::size_t b = a + 1; b < items.size(); ++b) {
      const QString pair = group->Item(int(a))->text() + " / " + group->Item(int(b))->text();
      if (apart) {
        QVERIFY2(!Touch(items[a], items[b]), qPrintable(pair + " touch"));
      } else {
        QPainter overlap(&items[a].image);
        overlap.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        overlap.drawImage(0, 0, items[b].image);
        overlap.end();
        QCOMPARE(items[a].FirstRow(), -1);
      }
    }
  }

  // Each caption against the same item with room to spare above and below.
  constexpr int kSpare = 8;
  for (int index = 0; index < group->Count(); ++index) {
    auto* item = static_cast<OptionItem*>(group->Item(index));
    const Ink placed = Drawn(item, item->size(), {}, {});
    OptionItem roomy(item->text(), group);
    roomy.setFont(item->font());
    roomy.setChecked(item->isChecked());
    roomy.SetLayout(item->InkTop(), item->InkBottom(), item->IndicatorSize());
    roomy.setGeometry(item->geometry().adjusted(0, -kSpare, 0, kSpare));
    const Ink whole = Drawn(&roomy, roomy.size(), {}, {});
    const int shift = static_cast<int>(kSpare * ratio);
    const int lostAbove = placed.FirstRow() + shift - whole.FirstRow();
    const int lostBelow = whole.LastRow() - (placed.LastRow() + shift);
    QVERIFY2(lostAbove <= rowsPerPixel && lostBelow <= rowsPerPixel,
             qPrintable(QStringLiteral("%1 loses %2 rows above, %3 below")
                            .arg(item->text())
                            .arg(lostAbove)
                            .arg(lostBelow)));
  }
}

QTEST_MAIN(TestOptionGroups)
#include "tst_optiongroups.moc"
