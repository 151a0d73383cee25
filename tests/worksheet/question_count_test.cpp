#include "worksheet/question_count.h"

#include <gtest/gtest.h>

#include "cp932.h"

namespace worksheet {
namespace {

using test_support::Cp932;

TEST(question_count_test, labels_are_the_window_texts) {
  const char* const labels[kQuestionCountOptionCount] = {
      "　９問", "１０問", "１８問", "２０問", "２７問", "３０問",     "３６問",
      "４０問", "５４問", "６０問", "７２問", "８０問", "３６問２列", "４０問２列"};
  for (int index = 0; index < kQuestionCountOptionCount; ++index) {
    EXPECT_EQ(kQuestionCountOptions[static_cast<std::size_t>(index)].label, Cp932(labels[index]))
        << "index " << index;
  }
  // The first label begins with an ideographic space, two bytes.
  EXPECT_EQ(kQuestionCountOptions[0].label.substr(0, 2), "\x81\x40");
}

TEST(question_count_test, counts_and_zero_multiplier) {
  const int counts[kQuestionCountOptionCount] = {9,  10, 18, 20, 27, 30, 36,
                                                 40, 54, 60, 72, 80, 36, 40};
  for (int index = 0; index < kQuestionCountOptionCount; ++index) {
    EXPECT_EQ(QuestionCount(index), counts[index]) << "index " << index;
    // Multiples of ten allow the multiplier 0, multiples of nine do not.
    EXPECT_EQ(ZeroMultiplierAllowed(index), counts[index] % 10 == 0) << "index " << index;
  }
  EXPECT_EQ(QuestionCount(12), QuestionCount(6));
  EXPECT_EQ(QuestionCount(13), QuestionCount(7));
  EXPECT_FALSE(ZeroMultiplierAllowed(12));
  EXPECT_TRUE(ZeroMultiplierAllowed(13));

  EXPECT_TRUE(IsQuestionCountIndex(0));
  EXPECT_TRUE(IsQuestionCountIndex(13));
  EXPECT_FALSE(IsQuestionCountIndex(-1));
  EXPECT_FALSE(IsQuestionCountIndex(14));
}

}  // namespace
}  // namespace worksheet
