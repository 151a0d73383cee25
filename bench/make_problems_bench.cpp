// Time to make one sheet. Target: under 20 µs for the worst case.

#include <benchmark/benchmark.h>

#include "worksheet/make_problems.h"

namespace worksheet {
namespace {

void MakeSheets(benchmark::State& state, const WorksheetSettings& settings) {
  RandomSource random(20261207u);
  ProblemList problems;
  BlankSideFlags flags;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MakeProblems(settings, random, problems, flags));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

// All ten tables, eighty questions, no zero multiplier, random order: the most
// draws a sheet needs (80 of the 90 allowed codes, then the shuffle).
void BM_MakeProblems_Worst(benchmark::State& state) {
  WorksheetSettings settings;
  settings.TableMask = TableMask(1023);
  settings.QNumCheck = 11;
  settings.JousuuCheck = kZeroExcluded;
  settings.RandomCheck = kRandomOrder;
  MakeSheets(state, settings);
}
BENCHMARK(BM_MakeProblems_Worst);

// Tables 2 to 5 with emphasis on 3, thirty questions, ascending.
void BM_MakeProblems_Typical(benchmark::State& state) {
  WorksheetSettings settings;
  settings.TableMask = TableMask(0b111100);
  settings.ImportantDan = 3;
  settings.QNumCheck = 5;
  settings.JousuuCheck = kZeroIncluded;
  settings.RandomCheck = kAscending;
  MakeSheets(state, settings);
}
BENCHMARK(BM_MakeProblems_Typical);

// Whole tables: four tables, thirty-six questions, shuffled.
void BM_MakeProblems_WholeTables(benchmark::State& state) {
  WorksheetSettings settings;
  settings.TableMask = TableMask(0b1111000000);
  settings.QNumCheck = 6;
  settings.RandomCheck = kRandomOrder;
  MakeSheets(state, settings);
}
BENCHMARK(BM_MakeProblems_WholeTables);

}  // namespace
}  // namespace worksheet
