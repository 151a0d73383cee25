#include "worksheet/worksheet_settings.h"

#include <gtest/gtest.h>

namespace worksheet {
namespace {

TEST(worksheet_settings_test, defaults_match_the_window_at_start) {
  const WorksheetSettings settings;
  EXPECT_EQ(settings.TableMask.Bits(), 0u);
  EXPECT_EQ(settings.ImportantDan, -1);
  EXPECT_EQ(settings.JousuuCheck, 0);
  EXPECT_EQ(settings.QNumCheck, 0);
  EXPECT_EQ(settings.RandomCheck, 0);
  EXPECT_EQ(settings.rgMulti, 0);
  EXPECT_EQ(settings.rgSquare, 0);
  EXPECT_EQ(settings.rgNum, 0);
  EXPECT_EQ(settings.PrintNumber, 1);
}

}  // namespace
}  // namespace worksheet
