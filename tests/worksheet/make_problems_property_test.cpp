// Every combination of options the main window can produce, each generated
// once from one fixed generator, checked against the rules of a sheet.

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <functional>

#include "worksheet/make_problems.h"
#include "worksheet/question_count.h"

namespace worksheet {
namespace {

struct Case {
  WorksheetSettings settings;
  int count = 0;
  bool wholeTables = false;
};

std::string Describe(const WorksheetSettings& s) {
  return "mask " + std::to_string(s.TableMask.Bits()) + " emphasis " +
         std::to_string(s.ImportantDan) + " zero " + std::to_string(s.JousuuCheck) + " count " +
         std::to_string(s.QNumCheck) + " order " + std::to_string(s.RandomCheck);
}

// Returns an empty string when the sheet keeps every rule, else the first rule broken.
std::string CheckSheet(const Case& c, const ProblemList& problems, const BlankSideFlags& flags) {
  const WorksheetSettings& s = c.settings;
  const int n = c.count;
  const bool emphasis = s.ImportantDan != kNoEmphasisTable && !c.wholeTables;
  const int firstEmphasisMultiplier = s.JousuuCheck == kZeroIncluded ? 0 : 1;
  const int blockLength = 10 - firstEmphasisMultiplier;

  std::bitset<100> seen;
  int emphasisCodes = 0;
  for (int slot = 1; slot <= n; ++slot) {
    const ProblemCode code = problems[slot];
    if (code < 0 || code > 99) return "code out of range";
    if (seen[static_cast<std::size_t>(code)]) return "repeated question";
    seen.set(static_cast<std::size_t>(code));
    if (!s.TableMask.Test(TableOf(code))) return "table not chosen";
    if (MultiplierOf(code) == 0 && (c.wholeTables || s.JousuuCheck == kZeroExcluded)) {
      return "multiplier 0 not allowed";
    }
    if (emphasis && TableOf(code) == s.ImportantDan) ++emphasisCodes;
    if (flags[slot] != 0 && flags[slot] != 1) return "flag not 0 or 1";
  }

  if (c.wholeTables) {
    for (int table = 0; table < 10; ++table) {
      for (int multiplier = 1; multiplier <= 9; ++multiplier) {
        if (s.TableMask.Test(table) &&
            !seen[static_cast<std::size_t>(MakeCode(table, multiplier))]) {
          return "whole table incomplete";
        }
      }
    }
  }
  if (emphasis) {
    // The emphasis table gives each of its codes once, as far as the sheet reaches.
    for (int m = firstEmphasisMultiplier; m < firstEmphasisMultiplier + std::min(n, blockLength);
         ++m) {
      if (!seen[static_cast<std::size_t>(MakeCode(s.ImportantDan, m))])
        return "emphasis code missing";
    }
    if (emphasisCodes != std::min(n, blockLength)) return "emphasis table outside its block";
  }

  const auto sheet = problems.First(n);
  if (s.RandomCheck == kAscending && !std::is_sorted(sheet.begin(), sheet.end())) {
    return "not ascending";
  }
  if (s.RandomCheck == kDescending &&
      !std::is_sorted(sheet.begin(), sheet.end(), std::greater<>())) {
    return "not descending";
  }

  for (int slot = n + 1; slot <= 80; ++slot) {
    const bool blockTail = emphasis && slot == 10 && n < blockLength;
    const ProblemCode expected = blockTail ? MakeCode(s.ImportantDan, 9) : 0;
    if (problems[slot] != expected) return "slot above the sheet not cleared";
    if (flags[slot] != 0) return "flag above the sheet not cleared";
  }
  return {};
}

TEST(make_problems_property_test, every_window_combination_keeps_the_rules) {
  RandomSource random(20261207u);
  ProblemList problems;
  BlankSideFlags flags;
  int made = 0;
  int refused = 0;

  for (std::uint32_t bits = 1; bits < 1024; ++bits) {
    const TableMask mask(bits);
    const int tables = mask.Count();
    for (int emphasis = -1; emphasis < 10; ++emphasis) {
      if (emphasis != kNoEmphasisTable && !mask.Test(emphasis)) continue;
      for (int zero : {kZeroExcluded, kZeroIncluded}) {
        for (int countIndex = 0; countIndex < kQuestionCountOptionCount; ++countIndex) {
          for (int order : {kAscending, kDescending, kRandomOrder}) {
            Case c;
            c.settings.TableMask = mask;
            c.settings.ImportantDan = emphasis;
            c.settings.JousuuCheck = zero;
            c.settings.QNumCheck = countIndex;
            c.settings.RandomCheck = order;
            c.count = QuestionCount(countIndex);
            c.wholeTables = c.count / tables == 9;
            const bool shouldRefuse = !c.wholeTables && (9 + zero) * tables < c.count;

            const std::uint32_t stateBefore = random.State();
            const GenerationResult result = MakeProblems(c.settings, random, problems, flags);

            ASSERT_EQ(result.made, !shouldRefuse) << Describe(c.settings);
            if (!result.made) {
              ++refused;
              ASSERT_EQ(result.refusal, kRefusalMessage);
              ASSERT_EQ(problems, ProblemList{}) << Describe(c.settings);
              ASSERT_EQ(flags, BlankSideFlags{}) << Describe(c.settings);
              ASSERT_EQ(random.State(), stateBefore) << "a refusal drew " << Describe(c.settings);
              continue;
            }
            ++made;
            const std::string broken = CheckSheet(c, problems, flags);
            ASSERT_EQ(broken, "") << Describe(c.settings);
          }
        }
      }
    }
  }
  // 6143 choices of tables and emphasis, two zero choices, 14 counts, 3 orders.
  EXPECT_EQ(made + refused, 6143 * 2 * 14 * 3);
}

}  // namespace
}  // namespace worksheet
