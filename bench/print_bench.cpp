// Printing through the print service that the print tests start
// (tests/app/cups_fixture.sh): from the print click until the job is handed
// over, on its PDF queue and on its driverless queue, each on its default
// paper at its own resolution; with the scheduler stopped, how long the click
// keeps the window from taking input (target under 5 s) and the longest time
// it goes without handling its events; beside drawing an A4 page at 600 dpi
// into a QImage, and the PDF bytes of that page.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <signal.h>

#include <algorithm>

#include "bench_window.h"
#include "cups_print_service.h"
#include "font_cache.h"
#include "pdf_file.h"
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

// The window with an eighty-question sheet, ready to print.
struct Window : BenchWindow {
  Window() {
    ChooseEightyQuestions(form);
    form.findChild<QPushButton*>(QStringLiteral("PreviewBtn"))->click();
    if (!form.SheetExists()) qFatal("no sheet to print");
  }
  void Print() { form.findChild<QPushButton*>(QStringLiteral("PrintBtn"))->click(); }
};

bool UseQueue(benchmark::State& state, const char* variable) {
  const QByteArray queue = qgetenv(variable);
  if (queue.isEmpty()) {
    state.SkipWithError("no print service: run it through ctest, or start cups_fixture.sh");
    return false;
  }
  qputenv("LPDEST", queue);  // the default printer, for this process only
  return true;
}

void BM_PrintClick(benchmark::State& state, const char* queueVariable) {
  if (!UseQueue(state, queueVariable)) return;
  Window window;
  const PrinterPage page =
      window.printService
          ->DefaultPaper(std::chrono::steady_clock::now() + std::chrono::seconds(3),
                         QString::fromUtf8(qgetenv("LPDEST")))
          .value.page;
  for (auto _ : state) window.Print();
  if (!window.notifier.errors.isEmpty()) {
    state.SkipWithError(window.notifier.errors.first().toUtf8().constData());
  }
  const QRect printable = page.layout.paintRectPixels(page.resolution);
  state.counters["dpi"] = page.resolution;
  state.counters["width"] = printable.width();
  state.counters["height"] = printable.height();
  qunsetenv("LPDEST");
}
// Each job is printed by the queue afterwards: keep their number small.
BENCHMARK_CAPTURE(BM_PrintClick, pdf_queue, "KAKEMARU_TEST_QUEUE")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_PrintClick, driverless_queue, "KAKEMARU_IPP_QUEUE")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The scheduler stopped with SIGSTOP: the click returns at the time limit;
// meanwhile the window still handles all but input events.
void BM_PrintClick_StoppedScheduler(benchmark::State& state) {
  if (!UseQueue(state, "KAKEMARU_TEST_QUEUE")) return;
  QFile pidFile(qEnvironmentVariable("KAKEMARU_CUPS_STATE") + QStringLiteral("/cupsd.pid"));
  const pid_t scheduler =
      pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toInt() : 0;
  if (scheduler <= 0) {
    state.SkipWithError("the print tests' scheduler is not running");
    return;
  }
  Window window;
  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  kill(scheduler, SIGSTOP);
  for (auto _ : state) {
    ticker.start();
    sinceTick.start();
    window.Print();
    longestGap = std::max(longestGap, sinceTick.elapsed());
    ticker.stop();
  }
  kill(scheduler, SIGCONT);
  if (window.notifier.errors.value(0) != QStringLiteral("印刷を始められませんでした")) {
    state.SkipWithError("the stalled print did not say it could not start");
  }
  state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
  qunsetenv("LPDEST");
}
BENCHMARK(BM_PrintClick_StoppedScheduler)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SamePageIntoImage(benchmark::State& state) {
  const QRect printable = PdfFileChoice(QString()).page.layout.paintRectPixels(kResolution);
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
  SheetPrinter printer(fonts, std::make_shared<CupsPrintService>());
  const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
  PrinterChoice choice = PdfFileChoice(file);
  choice.page.resolution = kResolution;
  printer.Choose(choice);
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
