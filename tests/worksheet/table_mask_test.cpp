#include "worksheet/table_mask.h"

#include <gtest/gtest.h>

#include <climits>

namespace worksheet {
namespace {

TEST(table_mask_test, set_test_clear_and_count) {
  TableMask mask;
  EXPECT_EQ(mask.Count(), 0);
  EXPECT_EQ(mask.Bits(), 0u);

  mask.Set(3);
  mask.Set(7);
  mask.Set(7);
  EXPECT_EQ(mask.Bits(), 8u + 128u);
  EXPECT_EQ(mask.Count(), 2);
  EXPECT_TRUE(mask.Test(3));
  EXPECT_TRUE(mask.Test(7));
  EXPECT_FALSE(mask.Test(4));

  mask.Clear(3);
  mask.Clear(5);
  EXPECT_EQ(mask, TableMask(128));
  EXPECT_EQ(mask.Count(), 1);

  EXPECT_EQ(TableMask(1023).Count(), 10);
  EXPECT_TRUE(TableMask(1023).Test(0));
  EXPECT_TRUE(TableMask(1023).Test(9));
}

TEST(table_mask_test, tables_outside_zero_to_nine_are_never_chosen) {
  TableMask mask(0xFFFFFFFFu);
  EXPECT_EQ(mask.Bits(), 1023u);
  for (int table : {-1, 10, 31, 32, 64, INT_MAX, INT_MIN}) {
    mask.Set(table);
    EXPECT_FALSE(mask.Test(table)) << table;
    mask.Clear(table);
  }
  EXPECT_EQ(mask.Count(), 10);
}

}  // namespace
}  // namespace worksheet
