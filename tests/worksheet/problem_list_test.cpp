#include "worksheet/problem_list.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace worksheet {
namespace {

static_assert(!std::is_same_v<ProblemList, BlankSideFlags>);

TEST(problem_list_test, slots_are_numbered_from_one_to_eighty) {
  ProblemList problems;
  for (int slot = 1; slot <= 80; ++slot) EXPECT_EQ(problems[slot], 0);
  problems[1] = 11;
  problems[3] = 33;
  problems[80] = 99;

  const auto firstThree = problems.First(3);
  ASSERT_EQ(firstThree.size(), 3u);
  EXPECT_EQ(firstThree[0], 11);
  EXPECT_EQ(firstThree[2], 33);
  EXPECT_EQ(problems.First(80).back(), 99);
  EXPECT_TRUE(problems.First(0).empty());

  problems.Clear();
  EXPECT_EQ(problems, ProblemList{});
}

}  // namespace
}  // namespace worksheet
