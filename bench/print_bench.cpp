// One question sheet printed at 600 dpi: from the print command until the job
// is handed to the print service (the default CUPS queue), beside drawing the
// same page into a QImage of the same size; and the size of the PDF that one
// page makes.

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "font_cache.h"
#include "qt_benchmarks.h"
#include "qt_drawing_surface.h"
#include "render/make_print.h"
#include "sample_sheet.h"
#include "sheet_printer.h"

namespace {

constexpr int kResolution = 600;

struct Page {
  worksheet::Sheet sheet = test_support::SampleSheet(11, 1);
  render::ProblemTextTable texts;
  void Draw(render::DrawingSurface& surface, int width, int height, int drawMode) {
    render::MakePrint(surface, width, height, drawMode, {sheet, 7, {.rgNum = 1}}, texts);
  }
};

void BM_PrintJob_600dpi(benchmark::State& state) {
  if (QPrinterInfo::defaultPrinter().isNull()) {
    state.SkipWithError("no default printer: start CUPS with a queue first");
    return;
  }
  FontCache fonts;
  SheetPrinter printer(fonts);
  printer.Printer().setResolution(kResolution);
  Page page;
  for (auto _ : state) {
    const auto failure =
        printer.Print({render::kQuestionSheet},
                      [&page](render::DrawingSurface& surface, int width, int height,
                              int drawMode) { page.Draw(surface, width, height, drawMode); });
    if (failure) state.SkipWithError(failure->toUtf8().constData());
  }
}
// Each job is converted by the queue afterwards: keep their number small.
BENCHMARK(BM_PrintJob_600dpi)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SamePageIntoImage(benchmark::State& state) {
  QPrinter sizing(QPrinter::HighResolution);
  sizing.setResolution(kResolution);
  const QRect printable = sizing.pageLayout().paintRectPixels(kResolution);
  QImage image(printable.size(), QImage::Format_RGB32);
  FontCache fonts;
  Page page;
  for (auto _ : state) {
    QPainter painter(&image);
    QtDrawingSurface surface(painter, fonts);
    page.Draw(surface, printable.width(), printable.height(), render::kQuestionSheet);
  }
  state.counters["width"] = printable.width();
  state.counters["height"] = printable.height();
}
BENCHMARK(BM_SamePageIntoImage)->Unit(benchmark::kMillisecond);

void BM_PdfBytesPerPage(benchmark::State& state) {
  QTemporaryDir folder;
  FontCache fonts;
  SheetPrinter printer(fonts);
  printer.Printer().setResolution(kResolution);
  printer.Printer().setOutputFormat(QPrinter::PdfFormat);
  const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
  printer.Printer().setOutputFileName(file);
  Page page;
  for (auto _ : state) {
    printer.Print({render::kQuestionSheet},
                  [&page](render::DrawingSurface& surface, int width, int height, int drawMode) {
                    page.Draw(surface, width, height, drawMode);
                  });
  }
  state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(file).size());
}
BENCHMARK(BM_PdfBytesPerPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv);
}
