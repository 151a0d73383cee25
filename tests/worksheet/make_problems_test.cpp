#include "worksheet/make_problems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "cp932.h"
#include "worksheet/question_count.h"

namespace worksheet {
namespace {

// Count indexes by label.
constexpr int k9 = 0, k10 = 1, k18 = 2, k20 = 3, k30 = 5, k72 = 10, k80 = 11;

WorksheetSettings Settings(std::initializer_list<int> tables, int countIndex, int zero = 0,
                           int order = kAscending, int emphasis = kNoEmphasisTable) {
  WorksheetSettings settings;
  for (int table : tables) settings.TableMask.Set(table);
  settings.QNumCheck = countIndex;
  settings.JousuuCheck = zero;
  settings.RandomCheck = order;
  settings.ImportantDan = emphasis;
  return settings;
}

struct Sheet {
  WorksheetSettings settings;
  GenerationResult result;
  ProblemList problems;
  BlankSideFlags flags;
  std::uint32_t stateAfter = 0;

  std::vector<ProblemCode> Codes() const {
    const int count = QuestionCount(settings.QNumCheck);
    const auto codes = problems.First(count);
    return {codes.begin(), codes.end()};
  }
  std::vector<int> Flags() const {
    const auto first = flags.First(QuestionCount(settings.QNumCheck));
    return {first.begin(), first.end()};
  }
};

Sheet Generate(const WorksheetSettings& settings, std::uint32_t seed) {
  Sheet sheet;
  sheet.settings = settings;
  RandomSource random(seed);
  sheet.result = MakeProblems(settings, random, sheet.problems, sheet.flags);
  sheet.stateAfter = random.State();
  return sheet;
}

std::uint32_t StateAfterDraws(std::uint32_t seed, int draws) {
  RandomSource random(seed);
  for (int i = 0; i < draws; ++i) random.Draw(2);
  return random.State();
}

std::vector<ProblemCode> Range(ProblemCode first, ProblemCode last) {
  std::vector<ProblemCode> codes;
  for (ProblemCode code = first; code <= last; ++code) codes.push_back(code);
  return codes;
}

std::vector<ProblemCode> Concat(std::vector<ProblemCode> a, const std::vector<ProblemCode>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<ProblemCode> Sorted(std::vector<ProblemCode> codes) {
  std::sort(codes.begin(), codes.end());
  return codes;
}

std::vector<int> Digits(const char* bits) {
  std::vector<int> digits;
  for (const char* bit = bits; *bit != '\0'; ++bit) digits.push_back(*bit - '0');
  return digits;
}

TEST(make_problems_test, refusal_message_text) {
  EXPECT_EQ(kRefusalMessage,
            test_support::Cp932("今の段の数では、指定された問題数が確保できません。"));
}

TEST(make_problems_test, whole_tables_in_each_order) {
  const auto ascending = Generate(Settings({3, 7}, k18, 0, kAscending), 99);
  ASSERT_TRUE(ascending.result.made);
  EXPECT_EQ(ascending.Codes(), Concat(Range(31, 39), Range(71, 79)));
  // Only the coin flips are drawn.
  EXPECT_EQ(ascending.stateAfter, StateAfterDraws(99, 18));

  const auto descending = Generate(Settings({3, 7}, k18, 0, kDescending), 99);
  auto reversed = Concat(Range(31, 39), Range(71, 79));
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(descending.Codes(), reversed);

  // Computed from the generator's definition apart from this implementation:
  // 18 shuffle draws, then 18 coin flips.
  const auto shuffled = Generate(Settings({3, 7}, k18, 0, kRandomOrder), 99);
  EXPECT_EQ(shuffled.Codes(), (std::vector<ProblemCode>{32, 77, 31, 37, 75, 33, 76, 71, 39, 78, 38,
                                                        72, 35, 79, 74, 34, 36, 73}));
  EXPECT_EQ(shuffled.Flags(), Digits("110010111110111010"));
  EXPECT_EQ(shuffled.stateAfter, 288628399u);

  // The zero multiplier never appears on this path, even when allowed.
  const auto oneTable = Generate(Settings({6}, k9, 1), 5);
  EXPECT_EQ(oneTable.Codes(), Range(61, 69));

  std::vector<ProblemCode> eightTables;
  for (int table : {0, 1, 2, 3, 5, 6, 7, 9})
    eightTables = Concat(eightTables, Range(table * 10 + 1, table * 10 + 9));
  const auto seventyTwo = Generate(Settings({0, 1, 2, 3, 5, 6, 7, 9}, k72, 0, kAscending, 5), 5);
  EXPECT_EQ(seventyTwo.Codes(), eightTables);
}

TEST(make_problems_test, refusal_clears_the_lists_and_draws_nothing) {
  for (const WorksheetSettings& settings :
       {Settings({4}, k10, 0), Settings({2, 8}, k20, 0), Settings({0, 1, 2, 3, 5, 6, 7, 9}, k80, 0),
        Settings({4, 5}, k30, 1, kAscending, 4)}) {
    ProblemList problems;
    BlankSideFlags flags;
    for (int slot = 1; slot <= 80; ++slot) problems[slot] = flags[slot] = 1;
    RandomSource random(12345);

    const GenerationResult result = MakeProblems(settings, random, problems, flags);

    EXPECT_FALSE(result.made);
    EXPECT_EQ(result.refusal, kRefusalMessage);
    EXPECT_EQ(problems, ProblemList{});
    EXPECT_EQ(flags, BlankSideFlags{});
    EXPECT_EQ(random.State(), 12345u);
  }
}

TEST(make_problems_test, settings_the_window_cannot_make_are_refused) {
  WorksheetSettings noTable = Settings({}, k9);
  WorksheetSettings countTooHigh = Settings({3}, 14);
  WorksheetSettings countNegative = Settings({3}, -1);
  WorksheetSettings zeroChoice = Settings({3}, k10, 2);
  WorksheetSettings zeroChoiceHuge = Settings({3, 4}, k20, 100);
  WorksheetSettings order = Settings({3}, k9, 0, 3);
  WorksheetSettings emphasisNotChosen = Settings({3, 4}, k20, 1, kAscending, 5);
  WorksheetSettings emphasisNoTable = Settings({3, 4}, k20, 1, kAscending, 10);
  for (const WorksheetSettings& settings :
       {noTable, countTooHigh, countNegative, zeroChoice, zeroChoiceHuge, order, emphasisNotChosen,
        emphasisNoTable}) {
    const auto sheet = Generate(settings, 777);
    EXPECT_FALSE(sheet.result.made);
    EXPECT_EQ(sheet.problems, ProblemList{});
    EXPECT_EQ(sheet.stateAfter, 777u);
  }
}

TEST(make_problems_test, random_fill_without_emphasis) {
  // Computed from the generator's definition apart from this implementation.
  const auto shuffled = Generate(Settings({2, 3, 4}, k20, 0, kRandomOrder), 12345);
  ASSERT_TRUE(shuffled.result.made);
  const std::vector<ProblemCode> expected = {33, 41, 36, 32, 25, 29, 27, 28, 22, 46,
                                             42, 48, 34, 39, 23, 43, 24, 38, 21, 31};
  EXPECT_EQ(shuffled.Codes(), expected);
  EXPECT_EQ(shuffled.Flags(), Digits("10001011111010001101"));
  EXPECT_EQ(shuffled.stateAfter, 2388664596u);

  // The same fill draws, sorted instead of shuffled.
  const auto ascending = Generate(Settings({2, 3, 4}, k20, 0, kAscending), 12345);
  EXPECT_EQ(ascending.Codes(), Sorted(expected));

  const auto all = Generate(Settings({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, k80, 0, kRandomOrder), 777);
  EXPECT_EQ(all.Codes(),
            (std::vector<ProblemCode>{
                52, 7,  59, 33, 28, 14, 89, 32, 18, 74, 6,  85, 12, 36, 78, 82, 1,  15, 26, 19,
                56, 29, 58, 86, 77, 84, 55, 65, 41, 39, 93, 67, 8,  23, 53, 63, 71, 68, 38, 96,
                35, 54, 45, 98, 83, 34, 31, 27, 2,  81, 76, 37, 91, 13, 4,  72, 49, 22, 75, 69,
                94, 79, 73, 95, 66, 92, 99, 64, 5,  48, 25, 88, 57, 44, 46, 43, 47, 62, 42, 21}));
  EXPECT_EQ(all.stateAfter, 85503480u);

  // One table, ten questions with the zero multiplier: the whole table, 0 to 9.
  EXPECT_EQ(Generate(Settings({8}, k10, 1), 31).Codes(), Range(80, 89));
  // Two tables, twenty questions with the zero multiplier: both whole.
  EXPECT_EQ(Generate(Settings({1, 6}, k20, 1), 31).Codes(), Concat(Range(10, 19), Range(60, 69)));
  // Eight tables, eighty questions with the zero multiplier: all their codes.
  std::vector<ProblemCode> eightTables;
  for (int table : {0, 1, 2, 3, 5, 6, 7, 9})
    eightTables = Concat(eightTables, Range(table * 10, table * 10 + 9));
  EXPECT_EQ(Generate(Settings({0, 1, 2, 3, 5, 6, 7, 9}, k80, 1), 31).Codes(), eightTables);
}

TEST(make_problems_test, random_fill_with_emphasis) {
  // Tables 2, 3, 4 with emphasis 3: 31 to 39 once each and eleven codes of 2 and 4.
  const auto twenty = Generate(Settings({2, 3, 4}, k20, 0, kAscending, 3), 4242);
  ASSERT_TRUE(twenty.result.made);
  const auto codes = twenty.Codes();
  EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
  EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
  std::vector<ProblemCode> emphasisCodes;
  for (ProblemCode code : codes) {
    if (TableOf(code) == 3) {
      emphasisCodes.push_back(code);
    } else {
      EXPECT_TRUE(TableOf(code) == 2 || TableOf(code) == 4) << code;
      EXPECT_NE(MultiplierOf(code), 0) << code;
    }
  }
  EXPECT_EQ(emphasisCodes, Range(31, 39));

  // Computed from the generator's definition apart from this implementation.
  const auto thirty = Generate(Settings({2, 3, 4}, k30, 1, kRandomOrder, 3), 20261207);
  EXPECT_EQ(thirty.Codes(),
            (std::vector<ProblemCode>{38, 47, 48, 43, 36, 30, 45, 44, 35, 29, 37, 40, 32, 25, 27,
                                      33, 24, 22, 42, 46, 31, 41, 39, 23, 21, 20, 26, 34, 28, 49}));
  EXPECT_EQ(thirty.Flags(), Digits("011011100101111001011111010101"));
  EXPECT_EQ(thirty.stateAfter, 3432710689u);

  // The emphasis table alone fills the sheet: nothing is drawn but the flips.
  const auto alone = Generate(Settings({6}, k10, 1, kDescending, 6), 8);
  EXPECT_EQ(alone.Codes(), (std::vector<ProblemCode>{69, 68, 67, 66, 65, 64, 63, 62, 61, 60}));
  EXPECT_EQ(alone.stateAfter, StateAfterDraws(8, 10));
}

TEST(make_problems_test, emphasis_block_longer_than_the_sheet_leaves_its_last_code_in_slot_10) {
  // Only possible before the first choice of a count: "　９問" with the zero multiplier.
  for (int order : {kAscending, kDescending}) {
    const auto sheet = Generate(Settings({1, 5}, k9, 1, order, 5), 3);
    ASSERT_TRUE(sheet.result.made);
    auto expected = Range(50, 58);
    if (order == kDescending) std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(sheet.Codes(), expected);
    EXPECT_EQ(sheet.problems[10], 59);
    for (int slot = 11; slot <= 80; ++slot) EXPECT_EQ(sheet.problems[slot], 0);
    for (int slot = 10; slot <= 80; ++slot) EXPECT_EQ(sheet.flags[slot], 0);
    EXPECT_EQ(sheet.stateAfter, StateAfterDraws(3, 9));
  }
}

// Seeds found by a search: in each, the last random slot has one allowed code
// left and all 1001 of its draws miss it. The slot must then take that code,
// with no extra draw, rather than keep its last (rejected) draw.
TEST(make_problems_test, try_limit_fills_the_slot_with_the_smallest_code_still_allowed) {
  // One table, "１０問", zero multiplier: 1147 fill draws, the last 1001 for slot 10.
  const auto sorted = Generate(Settings({3}, k10, 1, kAscending), 44068);
  ASSERT_TRUE(sorted.result.made);
  EXPECT_EQ(sorted.Codes(), Range(30, 39));
  EXPECT_EQ(sorted.stateAfter, StateAfterDraws(44068, 1147 + 10));

  // Slot 10 took 34, the code its draws missed; the shuffle then moved it.
  const auto shuffled = Generate(Settings({3}, k10, 1, kRandomOrder), 44068);
  EXPECT_EQ(shuffled.Codes(), (std::vector<ProblemCode>{38, 33, 31, 32, 35, 34, 39, 36, 37, 30}));
  EXPECT_EQ(shuffled.stateAfter, StateAfterDraws(44068, 1147 + 10 + 10));

  // Emphasis table 2 with table 5: slot 20 runs out and must take 53, not a
  // smaller code of the emphasis table.
  const auto emphasis = Generate(Settings({2, 5}, k20, 1, kAscending, 2), 56626);
  ASSERT_TRUE(emphasis.result.made);
  EXPECT_EQ(emphasis.Codes(), Concat(Range(20, 29), Range(50, 59)));
  EXPECT_EQ(emphasis.stateAfter, StateAfterDraws(56626, 1256 + 20));

  const auto emphasisShuffled = Generate(Settings({2, 5}, k20, 1, kRandomOrder, 2), 56626);
  EXPECT_EQ(emphasisShuffled.Codes(),
            (std::vector<ProblemCode>{26, 28, 29, 23, 27, 54, 58, 59, 25, 56,
                                      21, 57, 50, 22, 55, 52, 51, 24, 20, 53}));
}

TEST(make_problems_test, same_state_and_settings_give_the_same_sheet) {
  const WorksheetSettings settings = Settings({1, 2, 4, 8}, k30, 1, kRandomOrder);
  RandomSource random(555);
  ProblemList firstProblems, secondProblems;
  BlankSideFlags firstFlags, secondFlags;
  RandomSource copy = random;
  MakeProblems(settings, random, firstProblems, firstFlags);
  MakeProblems(settings, copy, secondProblems, secondFlags);
  EXPECT_EQ(firstProblems, secondProblems);
  EXPECT_EQ(firstFlags, secondFlags);
  EXPECT_EQ(random.State(), copy.State());

  // The generator moves on: the next sheet differs.
  MakeProblems(settings, random, secondProblems, secondFlags);
  EXPECT_NE(firstProblems, secondProblems);
}

}  // namespace
}  // namespace worksheet
