#include "sample_sheet.h"

#include "worksheet/make_problems.h"
#include "worksheet/question_count.h"

namespace test_support {

worksheet::Sheet SampleSheet(int countOption, std::uint32_t seed) {
  worksheet::WorksheetSettings settings;
  settings.TableMask = worksheet::TableMask(1023);
  settings.QNumCheck = countOption;
  settings.JousuuCheck = worksheet::ZeroMultiplierAllowed(countOption) ? 1 : 0;
  settings.RandomCheck = worksheet::kRandomOrder;
  worksheet::Sheet sheet;
  worksheet::RandomSource random(seed);
  worksheet::MakeProblems(settings, random, sheet.problems, sheet.blankSides);
  sheet.count = worksheet::QuestionCount(countOption);
  sheet.countOption = countOption;
  return sheet;
}

}  // namespace test_support
