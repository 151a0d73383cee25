// Counts heap allocations through a replaced global operator new, to show that
// making a sheet allocates nothing.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "worksheet/make_problems.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace worksheet {
namespace {

TEST(make_problems_allocation_test, making_sheets_allocates_nothing) {
  RandomSource random(1);
  ProblemList problems;
  BlankSideFlags flags;
  WorksheetSettings settings;
  settings.TableMask = TableMask(1023);
  settings.RandomCheck = kRandomOrder;

  const long before = g_allocations;
  for (int countIndex = 0; countIndex < 14; ++countIndex) {
    settings.QNumCheck = countIndex;
    settings.ImportantDan = countIndex % 2 == 0 ? kNoEmphasisTable : 4;
    for (int i = 0; i < 10; ++i) MakeProblems(settings, random, problems, flags);
  }
  const long after = g_allocations;

  EXPECT_EQ(after - before, 0);
}

}  // namespace
}  // namespace worksheet
