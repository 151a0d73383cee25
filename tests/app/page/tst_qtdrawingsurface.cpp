// The page as a person sees it: drawn through the Qt surface into images,
// checked pixel by pixel, and saved as PNGs under the build folder.

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <vector>

#include "artifact_dir.h"
#include "cp932.h"
#include "cp932_codec.h"
#include "font_cache.h"
#include "qt_drawing_surface.h"
#include "recording_surface.h"
#include "render/make_print.h"
#include "render/page_scale.h"
#include "sample_sheet.h"
#include "worksheet/question_count.h"

using test_support::Cp932;
using test_support::RecordingSurface;

namespace {

const QColor kUnpainted(200, 220, 240);

bool IsInk(QRgb pixel) {
  return qGray(pixel) < 224;
}

int InkIn(const QImage& image, const QRect& area) {
  int ink = 0;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) ink += IsInk(image.pixel(x, y)) ? 1 : 0;
  }
  return ink;
}

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kUnpainted);
  return image;
}

}  // namespace

class TestQtDrawingSurface : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void facesAreJapanese();
  void cellHeightsAreMet();
  void rectangleCoversExactlyItsPixels();
  void textSitsInItsCell();
  void brushStyleDecidesTextBackground();
  void glyphsAreNotTofu();
  void page_data();
  void page();

 private:
  FontCache m_fonts;
};

void TestQtDrawingSurface::initTestCase() {
  QVERIFY(QDir().mkpath(KAKEMARU_ARTIFACT_DIR));
}

void TestQtDrawingSurface::facesAreJapanese() {
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  const QString gothic = m_fonts.FamilyFor(QStringLiteral("ＭＳ ゴシック"));
  const QString mincho = m_fonts.FamilyFor(QStringLiteral("ＭＳ 明朝"));
  // The database lists a family under its localised name in a Japanese locale.
  const auto listed = [](const QString& family) { return QFontInfo(QFont(family)).family(); };
  QVERIFY2(japanese.contains(listed(gothic)), qPrintable(gothic));
  QVERIFY2(japanese.contains(listed(mincho)), qPrintable(mincho));
  QVERIFY2(gothic.contains(QStringLiteral("Gothic")), qPrintable(gothic));
  QVERIFY2(mincho.contains(QStringLiteral("Mincho")), qPrintable(mincho));
  // A face that is not installed still gets Japanese glyphs.
  const QString missing = m_fonts.FamilyFor(QStringLiteral("No Such Face 明朝"));
  QVERIFY2(japanese.contains(listed(missing)), qPrintable(missing));
}

void TestQtDrawingSurface::cellHeightsAreMet() {
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")}) {
    // Held across later calls, as a caller may, while the cache grows; read
    // here, in code that AddressSanitizer watches.
    const FontCache::PageFont& held = m_fonts.Font(face, 6);
    for (int other = 1000; other < 1100; ++other) m_fonts.Font(face, other);
    const qreal heldAscent = held.ascent;
    QCOMPARE(heldAscent, m_fonts.Font(face, 6).ascent);
    QCOMPARE(held.font, m_fonts.Font(face, 6).font);

    for (int height : {6, 12, 14, 16, 46, 93, 108, 124, 479}) {
      const FontCache::PageFont font = m_fonts.Font(face, height);
      const QFontMetricsF metrics(font.font);
      QVERIFY2(std::abs(metrics.ascent() + metrics.descent() - height) <= 1.0,
               qPrintable(face + QString::number(height)));
      QCOMPARE(font.ascent, metrics.ascent());
    }
  }
}

void TestQtDrawingSurface::rectangleCoversExactlyItsPixels() {
  for (const render::BrushStyle style :
       {render::BrushStyle::bsSolid, render::BrushStyle::bsClear}) {
    QImage image = Blank(12, 14);
    {
      QPainter painter(&image);
      QtDrawingSurface surface(painter, m_fonts);
      surface.SetBrushStyle(style);
      surface.SetBrushColor(0xFF0000);
      surface.SetPenColor(0x0000FF);
      surface.Rectangle(2, 3, 7, 9);
      surface.Rectangle(5, 5, 5, 9);  // empty: nothing
      surface.Rectangle(9, 9, 2, 2);  // reversed: nothing
    }
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const bool inside = x >= 2 && x < 7 && y >= 3 && y < 9;
        const bool edge = inside && (x == 2 || x == 6 || y == 3 || y == 8);
        QColor expected = kUnpainted;
        if (edge) {
          expected = Qt::blue;
        } else if (inside && style == render::BrushStyle::bsSolid) {
          expected = Qt::red;
        }
        QVERIFY2(image.pixelColor(x, y) == expected,
                 qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
      }
    }
  }
}

void TestQtDrawingSurface::textSitsInItsCell() {
  const auto drawn = [this] {
    QImage image = Blank(200, 120);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtDrawingSurface surface(painter, m_fonts);
    surface.SetBrushStyle(render::BrushStyle::bsClear);
    surface.SetFontName(Cp932("ＭＳ 明朝"));
    surface.SetFontHeight(40);
    surface.TextOut(30, 50, Cp932("九×"));
    return image;
  };
  const QImage image = drawn();
  const FontCache::PageFont& font = m_fonts.Font(QStringLiteral("ＭＳ 明朝"), 40);
  // Drawn again from its kept layout, it has the pixels Qt gives it directly.
  QImage direct(image.size(), image.format());
  direct.fill(Qt::white);
  QPainter painter(&direct);
  painter.setFont(font.font);
  painter.drawText(QPointF(30, 50 + font.ascent), QStringLiteral("九×"));
  painter.end();
  QCOMPARE(image, direct);
  QCOMPARE(drawn(), direct);

  const int advance = qCeil(QFontMetricsF(font.font).horizontalAdvance(QStringLiteral("九×")));
  const QRect cell(30, 50, advance, 40);
  QVERIFY(InkIn(image, cell) > 100);
  QCOMPARE(InkIn(image, image.rect()), InkIn(image, cell));
  // The ink reaches into the top and the bottom half of the cell: it is
  // placed by its top-left corner, not by its baseline.
  QVERIFY(InkIn(image, QRect(30, 50, advance, 20)) > 0);
  QVERIFY(InkIn(image, QRect(30, 70, advance, 20)) > 0);
  QCOMPARE(image.pixelColor(31, 51), QColor(Qt::white));
}

void TestQtDrawingSurface::brushStyleDecidesTextBackground() {
  for (const render::BrushStyle style :
       {render::BrushStyle::bsSolid, render::BrushStyle::bsClear}) {
    QImage image = Blank(100, 40);
    {
      QPainter painter(&image);
      QtDrawingSurface surface(painter, m_fonts);
      surface.SetBrushStyle(style);
      surface.SetBrushColor(0xFFFF00);
      surface.SetFontName(Cp932("ＭＳ ゴシック"));
      surface.SetFontHeight(20);
      surface.TextOut(10, 10, Cp932("[ ]"));
    }
    // Inside the brackets' cell, between the glyphs.
    const QColor between = image.pixelColor(18, 11);
    QCOMPARE(between, style == render::BrushStyle::bsSolid ? QColor(Qt::yellow) : kUnpainted);
    QCOMPARE(image.pixelColor(5, 5), kUnpainted);
  }
}

void TestQtDrawingSurface::glyphsAreNotTofu() {
  // A face without a glyph draws the same empty box for every character, so
  // distinct characters must give distinct, non-empty pictures.
  const QString characters =
      QStringLiteral("かけざん九問題いさしまょう（）①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳×＝No.[]0123456789");
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")}) {
    const FontCache::PageFont& font = m_fonts.Font(face, 32);
    QSet<QByteArray> pictures;
    for (const QChar character : characters) {
      QVERIFY2(QFontMetricsF(font.font).inFont(character), qPrintable(face + character));
      QImage image(40, 40, QImage::Format_Grayscale8);
      image.fill(Qt::white);
      QPainter painter(&image);
      painter.setFont(font.font);
      painter.drawText(QPointF(4, 4 + font.ascent), QString(character));
      painter.end();
      QVERIFY2(InkIn(image, image.rect()) > 0, qPrintable(face + character));
      const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
      QVERIFY2(!pictures.contains(bits), qPrintable(face + character));
      pictures.insert(bits);
    }
  }
}

void TestQtDrawingSurface::page_data() {
  QTest::addColumn<int>("countOption");
  QTest::addColumn<int>("drawMode");
  QTest::addColumn<QSize>("size");
  for (const QSize size : {QSize(320, 441), QSize(2480, 3508)}) {
    for (int option = 0; option < worksheet::kQuestionCountOptionCount; ++option) {
      for (int mode : {render::kQuestionSheet, render::kAnswerSheet}) {
        const QByteArray name = QStringLiteral("page-%1x%2-count%3-%4")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(option, 2, 10, QLatin1Char('0'))
                                    .arg(mode == render::kQuestionSheet ? "questions" : "answers")
                                    .toUtf8();
        QTest::newRow(name.constData()) << option << mode << size;
      }
    }
  }
}

// Every question and header text is drawn inside its own cell, every
// character of it leaves ink, and nothing else on the page is anything but white.
void TestQtDrawingSurface::page() {
  QFETCH(int, countOption);
  QFETCH(int, drawMode);
  QFETCH(QSize, size);
  const worksheet::Sheet sheet =
      test_support::SampleSheet(countOption, 20261207u + static_cast<unsigned>(countOption));
  const render::DrawingOptions options{
      .rgSquare = countOption % 4, .rgMulti = 0, .rgNum = countOption % 3 == 0 ? 1 : 0};

  QImage image = Blank(size.width(), size.height());
  render::ProblemTextTable texts;
  {
    QPainter painter(&image);
    QtDrawingSurface surface(painter, m_fonts);
    render::MakePrint(surface, size.width(), size.height(), drawMode, {sheet, 7, options}, texts);
  }
  RecordingSurface recording;
  render::MakePrint(recording, size.width(), size.height(), drawMode, {sheet, 7, options}, texts);
  QVERIFY(image.convertToFormat(QImage::Format_Grayscale8)
              .save(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/%1.png").arg(QTest::currentDataTag())));

  // Where text may leave ink: each text's cells, a pixel of slack around.
  QImage allowed(image.size(), QImage::Format_Grayscale8);
  allowed.fill(0);
  QPainter marker(&allowed);
  QString face;
  int height = 0;
  int textsChecked = 0;
  for (const RecordingSurface::Operation& op : recording.Operations()) {
    if (op.kind == RecordingSurface::Kind::FontName) face = QStringFromCp932(op.text);
    if (op.kind == RecordingSurface::Kind::FontHeight) height = op.a;
    if (op.kind != RecordingSurface::Kind::TextOut) continue;
    const FontCache::PageFont& font = m_fonts.Font(face, height);
    const QFontMetricsF metrics(font.font);
    const QString text = QStringFromCp932(op.text);
    qreal left = op.a;
    for (const QChar character : text) {
      const qreal advance = metrics.horizontalAdvance(character);
      const QRect cell(QPoint(qFloor(left), op.b),
                       QPoint(qCeil(left + advance) - 1, op.b + height - 1));
      // Text may run past the page's edge, which cuts it.
      if (!character.isSpace() && image.rect().contains(cell)) {
        QVERIFY2(InkIn(image, cell) > 0,
                 qPrintable(QStringLiteral("no ink for '%1' of %2").arg(character).arg(text)));
      }
      marker.fillRect(cell.adjusted(-1, -1, 1, 1), Qt::white);
      left += advance;
    }
    ++textsChecked;
  }
  marker.end();
  QCOMPARE(textsChecked, 4 + sheet.count);

  // The page inside the background rectangle is white but for the text; the
  // last column and row of the rectangle's size keep what was there.
  const float scale = render::PageScale(size.width(), size.height());
  const int right = render::ScaleToDevice(scale, render::kPageWidth - 1);
  const int bottom = render::ScaleToDevice(scale, render::kPageHeight - 1);
  int stray = 0;
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const uchar* mayInk = allowed.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      if (mayInk[x] != 0) continue;
      const bool background = x < right && y < bottom;
      const QRgb expected = background ? qRgb(255, 255, 255) : kUnpainted.rgb();
      stray += (row[x] & 0xFFFFFF) == (expected & 0xFFFFFF) ? 0 : 1;
    }
  }
  QCOMPARE(stray, 0);
}

QTEST_MAIN(TestQtDrawingSurface)
#include "tst_qtdrawingsurface.moc"
