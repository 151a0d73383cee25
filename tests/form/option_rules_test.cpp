#include "form/option_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>

#include "cp932.h"
#include "form/sheet_session.h"
#include "worksheet/question_count.h"

namespace form {
namespace {

// Random user actions, as the controls allow them, against a model of the
// boxes: after each, the rules hold and each answer names what changed.
TEST(option_rules_test, random_actions_keep_the_rules) {
  std::mt19937 random(25);
  OptionState state;
  std::array<bool, 10> ticked{};
  bool countChosen = false;
  for (int step = 0; step < 20000; ++step) {
    const OptionState before = state;
    const int action = static_cast<int>(random() % 6);
    const int pick = static_cast<int>(random() % 14);
    const int table = pick % 10;
    auto& box = ticked[static_cast<std::size_t>(table)];
    unsigned changed = kNothingChanged;
    if (action == 0) {
      box = !box;
      changed = DanClick(state, table, box);
    } else if (action == 1) {
      box = true;
      changed = ImportantDanClick(state, table);
      EXPECT_EQ(state.ImportantDan, table);
    } else if (action == 2 && state.QNumCheckEnabled) {
      countChosen = countChosen || pick != state.QNumCheck;
      changed = QNumCheckClick(state, pick);
      EXPECT_EQ(state.QNumCheck, pick);
    } else if (action == 3 && state.JousuuCheckEnabled) {
      state.JousuuCheck = pick % 2;
    } else if (action == 4) {
      changed = rgSquareEnter(state);
      state.rgSquare = pick % 4;
    } else if (action == 5) {
      changed = rgMultiEnter(state);
      state.rgMulti = pick % 3;
    }

    for (int k = 0; k < 10; ++k) {
      ASSERT_EQ(state.tables.Test(k), ticked[static_cast<std::size_t>(k)]) << step;
    }
    EXPECT_TRUE(state.ImportantDan == -1 || state.tables.Test(state.ImportantDan));
    const bool anyTicked = state.tables.Count() > 0;
    EXPECT_EQ(state.QNumCheckEnabled, anyTicked);
    EXPECT_EQ(state.PreviewEnabled, anyTicked);
    const bool zeroAllowed = worksheet::ZeroMultiplierAllowed(state.QNumCheck);
    EXPECT_EQ(state.JousuuCheckEnabled, !countChosen || zeroAllowed);
    if (countChosen && !zeroAllowed) {
      EXPECT_EQ(state.JousuuCheck, worksheet::kZeroExcluded);
    }
    if (action >= 4) {
      EXPECT_TRUE(state.rgSquare == 0 || state.rgMulti == 0);
    }

    EXPECT_EQ((changed & kTablesChanged) != 0, state.tables != before.tables);
    EXPECT_EQ((changed & kEmphasisChanged) != 0, state.ImportantDan != before.ImportantDan);
    EXPECT_EQ((changed & kEnabledChanged) != 0, state.PreviewEnabled != before.PreviewEnabled);
    EXPECT_EQ((changed & kZeroChoiceChanged) != 0,
              action == 2 && (state.JousuuCheck != before.JousuuCheck ||
                              state.JousuuCheckEnabled != before.JousuuCheckEnabled));
    EXPECT_EQ((changed & kFactorScaleSetBack) != 0, action == 4 && before.rgMulti != 0);
    EXPECT_EQ((changed & kBlankBoxSetBack) != 0, action == 5 && before.rgSquare != 0);
  }
}

// A command that fails changes nothing; the number counts up with a wrap.
TEST(sheet_session_test, commands_change_the_sheet_only_when_done) {
  SheetSession session(worksheet::RandomSource(1));
  OptionState options;
  DanClick(options, 3, true);
  CommandAnswer answer = session.Preview(options, "１２");
  EXPECT_EQ(answer.kind, CommandAnswer::kNotANumber);
  EXPECT_EQ(answer.message, "'１２' は整数ではありません");
  EXPECT_FALSE(session.SheetExists());
  EXPECT_FALSE(options.PrintEnabled);

  EXPECT_EQ(session.Preview(options, " 7").kind, CommandAnswer::kDone);
  EXPECT_TRUE(session.SheetExists());
  EXPECT_TRUE(options.PrintEnabled);
  EXPECT_EQ(session.PrintNumber(), 7);
  EXPECT_EQ(session.TakePreviewDrawMode(), render::kAnswerSheet);
  EXPECT_EQ(session.TakePreviewDrawMode(), render::kQuestionSheet);

  QNumCheckClick(options, 11);  // 80 questions from one table
  answer = session.Preview(options, "9");
  EXPECT_EQ(answer.kind, CommandAnswer::kRefused);
  EXPECT_EQ(answer.message,
            test_support::Cp932("今の段の数では、指定された問題数が確保できません。"));
  EXPECT_EQ(session.PrintNumber(), 7);
  EXPECT_EQ(session.CurrentSheet().count, 9);

  EXPECT_EQ(session.ReadNumber("x").kind, CommandAnswer::kNotANumber);
  EXPECT_EQ(session.PrintNumber(), 7);
  EXPECT_EQ(session.ReadNumber("2147483647").kind, CommandAnswer::kDone);
  EXPECT_EQ(session.CountPrinted(), "-2147483648");
  EXPECT_EQ(session.PrintNumber(), INT_MIN);
}

}  // namespace
}  // namespace form
