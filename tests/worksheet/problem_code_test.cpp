#include "worksheet/problem_code.h"

#include <gtest/gtest.h>

namespace worksheet {
namespace {

TEST(problem_code_test, corner_codes) {
  EXPECT_EQ(MakeCode(0, 0), 0);
  EXPECT_EQ(MakeCode(0, 9), 9);
  EXPECT_EQ(MakeCode(9, 0), 90);
  EXPECT_EQ(MakeCode(9, 9), 99);

  EXPECT_EQ(TableOf(9), 0);
  EXPECT_EQ(MultiplierOf(9), 9);
  EXPECT_EQ(TableOf(90), 9);
  EXPECT_EQ(MultiplierOf(90), 0);
  EXPECT_EQ(AnswerOf(0), 0);
  EXPECT_EQ(AnswerOf(30), 0);
  EXPECT_EQ(AnswerOf(78), 56);
  EXPECT_EQ(AnswerOf(99), 81);
}

TEST(problem_code_test, codes_count_up_by_table_then_multiplier) {
  ProblemCode expected = 0;
  for (int table = 0; table <= 9; ++table) {
    for (int multiplier = 0; multiplier <= 9; ++multiplier, ++expected) {
      const ProblemCode code = MakeCode(table, multiplier);
      EXPECT_EQ(code, expected);
      EXPECT_EQ(TableOf(code), table);
      EXPECT_EQ(MultiplierOf(code), multiplier);
      EXPECT_EQ(AnswerOf(code), table * multiplier);
    }
  }
  EXPECT_EQ(expected, kProblemCodeCount);
}

}  // namespace
}  // namespace worksheet
