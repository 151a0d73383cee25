// One whole page on a surface that only records: the cost of the layout and
// the texts alone. Target: under 20 µs.

#include <benchmark/benchmark.h>

#include "recording_surface.h"
#include "render/make_print.h"
#include "sample_sheet.h"

namespace {

void BM_MakePrint_Recording(benchmark::State& state) {
  const worksheet::Sheet sheet = test_support::SampleSheet(11, 1);

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
