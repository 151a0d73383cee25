// One whole page on a surface that only records: the cost of the layout and
// the texts alone. Target: under 20 µs.

#include <benchmark/benchmark.h>

#include "recording_surface.h"
#include "render/make_print.h"
#include "worksheet/make_problems.h"
#include "worksheet/question_count.h"

namespace {

void BM_MakePrint_Recording(benchmark::State& state) {
  worksheet::WorksheetSettings settings;
  settings.TableMask = worksheet::TableMask(1023);
  settings.QNumCheck = 11;
  settings.RandomCheck = worksheet::kRandomOrder;
  worksheet::Sheet sheet;
  worksheet::RandomSource random(1);
  worksheet::MakeProblems(settings, random, sheet.problems, sheet.blankSides);
  sheet.count = worksheet::QuestionCount(settings.QNumCheck);
  sheet.countOption = settings.QNumCheck;

  test_support::RecordingSurface surface;
  render::ProblemTextTable texts;
  const render::DrawingOptions options{.rgSquare = 3, .rgNum = 1};
  for (auto _ : state) {
    surface.Clear();
    render::MakePrint(surface, 2480, 3508, static_cast<int>(state.range(0)), {sheet, 7, options},
                      texts);
    benchmark::DoNotOptimize(surface.Operations().data());
  }
}
BENCHMARK(BM_MakePrint_Recording)->Arg(render::kQuestionSheet)->Arg(render::kAnswerSheet);

}  // namespace
