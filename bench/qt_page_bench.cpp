// One whole A4 page at 300 dpi (2480 × 3508) drawn into a QImage: through
// the page's drawing surface, and the same page drawn directly with QPainter
// as the baseline. Targets: under 50 ms; the surface within 10 % of the baseline.
// Also one question's text turned from code page 932 into a QString, which
// every text on a page pays.

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>

#include "cp932_codec.h"
#include "font_cache.h"
#include "qt_benchmarks.h"
#include "qt_drawing_surface.h"
#include "render/make_print.h"
#include "sample_sheet.h"

namespace {

constexpr int kWidth = 2480;
constexpr int kHeight = 3508;

void BM_Page_QtSurface(benchmark::State& state) {
  const worksheet::Sheet sheet = test_support::SampleSheet(11, 1);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  FontCache fonts;
  render::ProblemTextTable texts;
  for (auto _ : state) {
    QPainter painter(&image);
    QtDrawingSurface surface(painter, fonts);
    render::MakePrint(surface, kWidth, kHeight, render::kAnswerSheet, {sheet, 7, {}}, texts);
  }
}
BENCHMARK(BM_Page_QtSurface)->Unit(benchmark::kMillisecond);

// The same page with its positions, fonts and texts worked out beforehand,
// drawn with plain QPainter calls.
void BM_Page_DirectQPainter(benchmark::State& state) {
  const worksheet::Sheet sheet = test_support::SampleSheet(11, 1);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  FontCache fonts;
  render::ProblemTextTable table;
  {
    QPainter painter(&image);
    QtDrawingSurface surface(painter, fonts);
    render::MakePrint(surface, kWidth, kHeight, render::kAnswerSheet, {sheet, 7, {}}, table);
  }
  std::array<QString, 80> texts;
  for (int slot = 1; slot <= 80; ++slot) texts[slot - 1] = QStringFromCp932(table[slot].View());
  const QString gothic = QStringLiteral("ＭＳ ゴシック");
  const QString mincho = QStringLiteral("ＭＳ 明朝");
  const FontCache::PageFont title = fonts.Font(gothic, 46);
  const FontCache::PageFont small = fonts.Font(mincho, 46);
  const FontCache::PageFont field = fonts.Font(mincho, 108);
  const FontCache::PageFont instruction = fonts.Font(mincho, 93);
  const FontCache::PageFont question = fonts.Font(mincho, 124);
  const std::array<int, 4> columns = {178, 759, 1340, 1921};
  const std::array<int, 20> rows = {542,  682,  821,  960,  1100, 1240, 1379, 1518, 1658, 1798,
                                    1937, 2076, 2216, 2356, 2495, 2634, 2774, 2914, 3053, 3192};

  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, 2472, 3410), Qt::white);
    painter.setPen(Qt::black);
    painter.setFont(title.font);
    painter.drawText(QPointF(108, 78 + title.ascent), QStringLiteral("かけざん九九"));
    painter.setFont(small.font);
    painter.drawText(QPointF(496, 78 + small.ascent), QStringLiteral("問題No.7"));
    painter.setFont(field.font);
    painter.drawText(QPointF(1085, 155 + field.ascent),
                     QStringLiteral("（　　　　　　　　　　　）"));
    painter.setFont(instruction.font);
    painter.drawText(QPointF(108, 310 + instruction.ascent), QStringLiteral("けいさんしましょう"));
    painter.setFont(question.font);
    for (std::size_t column = 0; column < columns.size(); ++column) {
      for (std::size_t row = 0; row < rows.size(); ++row) {
        painter.drawText(QPointF(columns[column], rows[row] + question.ascent),
                         texts[column * rows.size() + row]);
      }
    }
  }
}
BENCHMARK(BM_Page_DirectQPainter)->Unit(benchmark::kMillisecond);

void BM_QStringFromCp932(benchmark::State& state) {
  const std::string_view text =
      "\x87\x40 7\x81\x7e"
      "8\x81\x81"
      "56";  // "① 7×8＝56"
  for (auto _ : state) benchmark::DoNotOptimize(QStringFromCp932(text));
}
BENCHMARK(BM_QStringFromCp932);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv);
}
