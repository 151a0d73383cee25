#include "worksheet/make_problems.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <functional>
#include <utility>

#include "worksheet/question_count.h"

namespace worksheet {
namespace {

using CodeSet = std::bitset<kProblemCodeCount>;

// A random slot gives up drawing after this many rejected codes.
constexpr int kDrawsPerSlot = 1001;

bool IsGeneratable(const WorksheetSettings& settings) {
  const bool zeroChoiceValid =
      settings.JousuuCheck == kZeroExcluded || settings.JousuuCheck == kZeroIncluded;
  const bool orderValid =
      settings.RandomCheck >= kAscending && settings.RandomCheck <= kRandomOrder;
  const bool emphasisValid =
      settings.ImportantDan == kNoEmphasisTable || settings.TableMask.Test(settings.ImportantDan);
  return settings.TableMask.Count() > 0 && IsQuestionCountIndex(settings.QNumCheck) &&
         zeroChoiceValid && orderValid && emphasisValid;
}

void FillWholeTables(TableMask tables, ProblemList& problems) {
  int slot = 1;
  for (int table = 0; table < kTableCount; ++table) {
    if (!tables.Test(table)) {
      continue;
    }
    for (int multiplier = 1; multiplier <= 9; ++multiplier) {
      problems[slot++] = MakeCode(table, multiplier);
    }
  }
}

// Slots 1 to k (k is 9 or 10, as many as the table gives): the emphasis table's
// questions by ascending multiplier. The block keeps its length even when the
// sheet is shorter, so its last code may lie outside the sheet.
int FillEmphasisBlock(int table, int firstMultiplier, ProblemList& problems) {
  int slot = 1;
  for (int multiplier = firstMultiplier; multiplier <= 9; ++multiplier) {
    problems[slot++] = MakeCode(table, multiplier);
  }
  return slot - 1;
}

// The codes a random slot may take: of a chosen table, not of the emphasis
// table, and with the multiplier 0 only when it is allowed.
CodeSet AllowedRandomCodes(const WorksheetSettings& settings) {
  CodeSet allowed;
  for (ProblemCode code = 0; code < kProblemCodeCount; ++code) {
    const int table = TableOf(code);
    allowed[static_cast<std::size_t>(code)] =
        settings.TableMask.Test(table) && table != settings.ImportantDan &&
        (settings.JousuuCheck == kZeroIncluded || MultiplierOf(code) != 0);
  }
  return allowed;
}

ProblemCode SmallestCodeIn(const CodeSet& codes) {
  ProblemCode code = 0;
  while (code < kProblemCodeCount - 1 && !codes[static_cast<std::size_t>(code)]) {
    ++code;
  }
  return code;
}

// Fills slots first..last one at a time, drawing codes until one is allowed
// and not yet in slots first..slot-1. When every draw of a slot is rejected,
// the slot takes the smallest code that would have been accepted instead of
// its last rejected draw, so that a sheet never repeats a question nor holds
// one the options exclude. Enough such codes always remain: the caller has
// checked that the allowed codes outnumber the slots.
void FillAtRandom(const CodeSet& allowed, int first, int last, RandomSource& random,
                  ProblemList& problems) {
  CodeSet taken;
  for (int slot = first; slot <= last; ++slot) {
    ProblemCode code = 0;
    bool accepted = false;
    for (int draw = 0; draw < kDrawsPerSlot && !accepted; ++draw) {
      code = random.Draw(kProblemCodeCount);
      const auto bit = static_cast<std::size_t>(code);
      accepted = allowed[bit] && !taken[bit];
    }
    if (!accepted) {
      assert((allowed & ~taken).any());
      code = SmallestCodeIn(allowed & ~taken);
    }
    problems[slot] = code;
    taken.set(static_cast<std::size_t>(code));
  }
}

void Order(int order, int count, RandomSource& random, ProblemList& problems) {
  const auto sheet = problems.First(count);
  switch (order) {
    case kAscending:
      std::sort(sheet.begin(), sheet.end());
      break;
    case kDescending:
      std::sort(sheet.begin(), sheet.end(), std::greater<>());
      break;
    case kRandomOrder:
      // j is drawn from all N slots each time, not only from slots i to N.
      for (int slot = 1; slot <= count; ++slot) {
        const int other = random.Draw(count) + 1;
        std::swap(problems[slot], problems[other]);
      }
      break;
  }
}

void DrawBlankSides(int count, RandomSource& random, BlankSideFlags& blankSides) {
  for (int slot = 1; slot <= count; ++slot) {
    blankSides[slot] = random.Draw(2);
  }
}

}  // namespace

GenerationResult MakeProblems(const WorksheetSettings& settings, RandomSource& random,
                              ProblemList& problems, BlankSideFlags& blankSides) {
  problems.Clear();
  blankSides.Clear();
  if (!IsGeneratable(settings)) {
    return {.made = false, .refusal = kRefusalMessage};
  }

  const int tables = settings.TableMask.Count();
  const int count = QuestionCount(settings.QNumCheck);
  const int codesPerTable = 9 + settings.JousuuCheck;

  if (count / tables == 9) {
    FillWholeTables(settings.TableMask, problems);
  } else if (codesPerTable * tables < count) {
    return {.made = false, .refusal = kRefusalMessage};
  } else if (settings.ImportantDan == kNoEmphasisTable) {
    FillAtRandom(AllowedRandomCodes(settings), 1, count, random, problems);
  } else {
    const int firstMultiplier = settings.JousuuCheck == kZeroIncluded ? 0 : 1;
    const int blockLength = FillEmphasisBlock(settings.ImportantDan, firstMultiplier, problems);
    FillAtRandom(AllowedRandomCodes(settings), blockLength + 1, count, random, problems);
  }

  Order(settings.RandomCheck, count, random, problems);
  DrawBlankSides(count, random, blankSides);
  return {.made = true, .refusal = {}};
}

}  // namespace worksheet
