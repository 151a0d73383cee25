#include "render/problem_texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

#include "cp932.h"
#include "worksheet/question_count.h"

namespace render {
namespace {

using test_support::Cp932;
using test_support::Utf8FromCp932;
using worksheet::Sheet;

Sheet MakeSheet(int countOption, std::initializer_list<int> codes,
                std::initializer_list<int> flags = {}) {
  Sheet sheet;
  sheet.countOption = countOption;
  sheet.count = worksheet::QuestionCount(countOption);
  int slot = 1;
  for (int code : codes) sheet.problems[slot++] = code;
  slot = 1;
  for (int flag : flags) sheet.blankSides[slot++] = flag;
  return sheet;
}

// The text of slot 1 for one code, in UTF-8.
std::string TextOf(int code, int drawMode, DrawingOptions options, int flag = 0) {
  const Sheet sheet = MakeSheet(1, {code}, {flag});
  ProblemTextTable texts;
  BuildProblemTexts(sheet, drawMode, options, texts);
  return Utf8FromCp932(texts[1].View());
}

std::vector<std::string> AllTexts(const Sheet& sheet, const ProblemTextTable& texts) {
  std::vector<std::string> all;
  for (int slot = 1; slot <= sheet.count; ++slot) all.push_back(Utf8FromCp932(texts[slot].View()));
  return all;
}

TEST(problem_texts_test, question_and_answer_of_each_pattern) {
  struct Row {
    DrawingOptions options;
    int flag;
    const char* question;
    const char* answer;
  };
  const Row rows[] = {
      {{.rgSquare = 1}, 0, "[ ]×3＝21", "[7]×3＝21"},
      {{.rgSquare = 2}, 0, "7×[ ]＝21", "7×[3]＝21"},
      {{.rgSquare = 3}, 0, "[ ]×3＝21", "[7]×3＝21"},
      {{.rgSquare = 3}, 1, "7×[ ]＝21", "7×[3]＝21"},
      {{}, 0, "7×3", "7×3＝21"},
      {{.rgMulti = 1}, 0, "70×3", "70×3＝210"},
      {{.rgMulti = 2}, 0, "700×3", "700×3＝2100"},
      // The blank box wins over tens and hundreds.
      {{.rgSquare = 2, .rgMulti = 2}, 0, "7×[ ]＝21", "7×[3]＝21"},
      {{.rgSquare = 1, .rgMulti = 1}, 1, "[ ]×3＝21", "[7]×3＝21"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TextOf(73, kQuestionSheet, row.options, row.flag), row.question) << row.question;
    EXPECT_EQ(TextOf(73, kAnswerSheet, row.options, row.flag), row.answer) << row.answer;
  }
}

TEST(problem_texts_test, table_zero_and_multiplier_zero) {
  for (int multi : {1, 2}) {
    EXPECT_EQ(TextOf(5, kQuestionSheet, {.rgMulti = multi}), "0×5");
    EXPECT_EQ(TextOf(5, kAnswerSheet, {.rgMulti = multi}), "0×5＝0");
  }
  EXPECT_EQ(TextOf(40, kQuestionSheet, {.rgSquare = 1}), "[ ]×0＝0");
  EXPECT_EQ(TextOf(40, kAnswerSheet, {.rgSquare = 1}), "[4]×0＝0");
  EXPECT_EQ(TextOf(40, kQuestionSheet, {.rgSquare = 2}), "4×[ ]＝0");
  EXPECT_EQ(TextOf(40, kAnswerSheet, {.rgSquare = 2}), "4×[0]＝0");
  EXPECT_EQ(TextOf(0, kAnswerSheet, {}), "0×0＝0");
  EXPECT_EQ(TextOf(90, kAnswerSheet, {.rgMulti = 2}), "900×0＝0");
}

TEST(problem_texts_test, mixed_pattern_follows_each_flag_on_both_sheets) {
  const Sheet sheet = MakeSheet(1, {23, 45, 67, 89}, {0, 1, 1, 0});
  ProblemTextTable texts;
  BuildProblemTexts(sheet, kQuestionSheet, {.rgSquare = 3}, texts);
  const auto questions = AllTexts(sheet, texts);
  EXPECT_EQ(std::vector<std::string>(questions.begin(), questions.begin() + 4),
            (std::vector<std::string>{"[ ]×3＝6", "4×[ ]＝20", "6×[ ]＝42", "[ ]×9＝72"}));
  BuildProblemTexts(sheet, kAnswerSheet, {.rgSquare = 3}, texts);
  const auto answers = AllTexts(sheet, texts);
  EXPECT_EQ(std::vector<std::string>(answers.begin(), answers.begin() + 4),
            (std::vector<std::string>{"[2]×3＝6", "4×[5]＝20", "6×[7]＝42", "[8]×9＝72"}));
}

TEST(problem_texts_test, numbering_restarts_with_every_column) {
  const int cycles[14] = {9, 10, 9, 10, 9, 10, 9, 10, 18, 20, 18, 20, 18, 20};
  for (int option = 0; option < 14; ++option) EXPECT_EQ(NumberCycle(option), cycles[option]);

  Sheet eighteen = MakeSheet(2, {});
  ProblemTextTable texts;
  BuildProblemTexts(eighteen, kQuestionSheet, {.rgNum = 1}, texts);
  EXPECT_EQ(Utf8FromCp932(texts[1].View()), "①0×0");
  EXPECT_EQ(Utf8FromCp932(texts[9].View()), "⑨0×0");
  EXPECT_EQ(Utf8FromCp932(texts[10].View()), "①0×0");

  Sheet sixty = MakeSheet(9, {});
  BuildProblemTexts(sixty, kQuestionSheet, {.rgNum = 1}, texts);
  EXPECT_EQ(Utf8FromCp932(texts[20].View()), "⑳0×0");
  EXPECT_EQ(Utf8FromCp932(texts[21].View()), "①0×0");
  EXPECT_EQ(Utf8FromCp932(texts[60].View()), "⑳0×0");

  // Question 20 of eighty: the longest text made of real codes, 14 bytes.
  Sheet eighty = MakeSheet(11, {});
  eighty.problems[20] = 99;
  BuildProblemTexts(eighty, kAnswerSheet, {.rgMulti = 2, .rgNum = 1}, texts);
  EXPECT_EQ(texts[20].View(), Cp932("⑳900×9＝8100"));
  EXPECT_EQ(texts[20].View().size(), 14u);

  for (int k = 0; k < 20; ++k) {
    EXPECT_EQ(CircledNumberTable[static_cast<std::size_t>(k)],
              Cp932("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳").substr(2 * static_cast<std::size_t>(k), 2));
  }
}

TEST(problem_texts_test, rebuilding_gives_the_same_texts) {
  const Sheet sheet = MakeSheet(1, {12, 34, 56, 78, 90, 1, 23, 45, 67, 89});
  ProblemTextTable texts;
  BuildProblemTexts(sheet, kAnswerSheet, {.rgNum = 1}, texts);
  const auto first = AllTexts(sheet, texts);
  BuildProblemTexts(sheet, kAnswerSheet, {.rgNum = 1}, texts);
  EXPECT_EQ(AllTexts(sheet, texts), first);
  EXPECT_EQ(first[0], "①1×2＝2");

  // Another mode leaves every slot as it was; slots above N are never touched.
  texts[11].Assign("kept");
  BuildProblemTexts(sheet, 2, {.rgSquare = 1}, texts);
  BuildProblemTexts(sheet, -1, {.rgSquare = 1}, texts);
  EXPECT_EQ(AllTexts(sheet, texts), first);
  BuildProblemTexts(sheet, kQuestionSheet, {}, texts);
  EXPECT_EQ(texts[11].View(), "kept");
  EXPECT_EQ(Utf8FromCp932(texts[1].View()), "1×2");
}

TEST(problem_texts_test, codes_outside_the_table_are_cut_not_overflowed) {
  Sheet sheet = MakeSheet(1, {INT_MAX, INT_MIN});
  ProblemTextTable texts;
  BuildProblemTexts(sheet, kAnswerSheet, {.rgMulti = 2, .rgNum = 1}, texts);
  EXPECT_EQ(texts[1].View().size(), 16u);
  EXPECT_EQ(texts[1].View().substr(0, 2), CircledNumberTable[0]);
  EXPECT_EQ(texts[2].View().size(), 16u);
}

}  // namespace
}  // namespace render
