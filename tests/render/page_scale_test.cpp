#include "render/page_scale.h"

#include <gtest/gtest.h>

#include <climits>

namespace render {
namespace {

TEST(page_scale_test, scale_is_the_smaller_ratio_in_single_precision) {
  EXPECT_EQ(PageScale(320, 441), 1.0F);
  EXPECT_EQ(PageScale(2480, 3508), 7.75F);
  EXPECT_EQ(PageScale(4760, 6814), 14.875F);
  // 15.503125 has no exact float; the stored value lies just above it.
  EXPECT_EQ(PageScale(4961, 7016), static_cast<float>(15.503125));
  EXPECT_GT(static_cast<double>(PageScale(4961, 7016)), 15.503125);
  // Landscape: the height decides.
  EXPECT_EQ(PageScale(3508, 2480), static_cast<float>(2480.0 / 441.0));
  // Only the width is tested for size.
  EXPECT_EQ(PageScale(0, 441), 1.0F);
  EXPECT_EQ(PageScale(-100, 441), 1.0F);
  EXPECT_EQ(PageScale(INT_MIN, INT_MIN), 1.0F);
  EXPECT_EQ(PageScale(320, 0), 0.0F);
  EXPECT_LT(PageScale(320, -441), 0.0F);
}

TEST(page_scale_test, scaled_values_round_halves_to_even) {
  const float a4 = PageScale(2480, 3508);
  EXPECT_EQ(ScaleToDevice(a4, 6), 46);    // 46.5
  EXPECT_EQ(ScaleToDevice(a4, 10), 78);   // 77.5
  EXPECT_EQ(ScaleToDevice(a4, 14), 108);  // 108.5
  EXPECT_EQ(ScaleToDevice(a4, 70), 542);  // 542.5
  EXPECT_EQ(ScaleToDevice(a4, 18), 140);  // 139.5
  EXPECT_EQ(ScaleToDevice(a4, 54), 418);  // 418.5
  EXPECT_EQ(ScaleToDevice(a4, 23), 178);
  EXPECT_EQ(ScaleToDevice(a4, 20), 155);

  const float large = PageScale(4760, 6814);
  EXPECT_EQ(ScaleToDevice(large, 140), 2082);  // 2082.5
  EXPECT_EQ(ScaleToDevice(large, 20), 298);    // 297.5
  EXPECT_EQ(ScaleToDevice(large, 12), 178);    // 178.5

  // A double factor would give the halfway value 2480.5 and so 2480.
  EXPECT_EQ(ScaleToDevice(PageScale(4961, 7016), 160), 2481);

  EXPECT_EQ(ScaleToDevice(1.0F, 319), 319);
  EXPECT_EQ(ScaleToDevice(-0.5F, 1), 0);   // -0.5
  EXPECT_EQ(ScaleToDevice(-0.5F, 3), -2);  // -1.5
}

TEST(page_scale_test, results_beyond_int_are_held_at_its_ends) {
  const float huge = PageScale(INT_MAX, INT_MAX);
  EXPECT_EQ(huge, 4869577.5F);                    // the height's ratio
  EXPECT_EQ(ScaleToDevice(huge, 23), 112000282);  // 112000282.5
  EXPECT_EQ(ScaleToDevice(huge, 441), INT_MAX);
  EXPECT_EQ(ScaleToDevice(huge, 100000), INT_MAX);
  EXPECT_EQ(ScaleToDevice(-huge, 441), INT_MIN);
}

}  // namespace
}  // namespace render
