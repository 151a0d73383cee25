#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ctime>

namespace worksheet {
namespace {

struct Golden {
  std::uint32_t seed;
  std::array<int, 5> draws;  // Draw(100) five times
  std::uint32_t stateAfter;
};

// Computed from the definition, apart from this implementation.
// Seed 0 by hand: S = 1 gives floor(100 / 2^32) = 0; S = 134775814 gives
// floor(13477581400 / 2^32) = 3.
constexpr Golden kGoldens[] = {
    {0u, {0, 3, 86, 20, 27}, 1172187917u},
    {1u, {3, 86, 20, 27, 67}, 2884733762u},
    {12345u, {38, 28, 7, 55, 63}, 2721613530u},
    {86399999u, {72, 99, 33, 23, 15}, 658233048u},
    {0xFFFFFFFFu, {96, 20, 51, 13, 87}, 3754609368u},
};

TEST(random_source_test, first_draws_from_fixed_seeds) {
  for (const Golden& golden : kGoldens) {
    RandomSource random(golden.seed);
    for (int expected : golden.draws) EXPECT_EQ(random.Draw(100), expected) << golden.seed;
    EXPECT_EQ(random.State(), golden.stateAfter) << golden.seed;

    RandomSource again(golden.seed);
    for (int expected : golden.draws) EXPECT_EQ(again.Draw(100), expected) << golden.seed;
  }
}

TEST(random_source_test, draw_scales_by_the_upper_bits_of_the_product) {
  RandomSource single(0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(single.Draw(1), 0);

  RandomSource coin(42);
  const std::uint32_t states[] = {1365616851u, 3768653856u, 882243745u};
  for (std::uint32_t state : states) {
    EXPECT_EQ(coin.Draw(2), state >= 0x80000000u ? 1 : 0);
    EXPECT_EQ(coin.State(), state);
  }

  RandomSource wide(7);
  EXPECT_EQ(wide.Draw(2147483647), 471715345);
  EXPECT_EQ(wide.Draw(2147483647), 1801866841);
  EXPECT_EQ(wide.Draw(2147483647), 540684740);
}

TEST(random_source_test, seed_is_the_milliseconds_since_midnight) {
  EXPECT_EQ(TimeOfDaySeed(0, 0, 0, 0), 0u);
  EXPECT_EQ(TimeOfDaySeed(12, 34, 56, 789), 45296789u);
  EXPECT_EQ(TimeOfDaySeed(23, 59, 59, 999), 86399999u);

  const std::time_t before = std::time(nullptr);
  const std::uint32_t seed = RandomSource::FromClock().State();
  // The time of day in UTC: the clock counts whole days of 86400 seconds.
  const auto second = static_cast<std::uint32_t>(before % 86400);
  const std::uint32_t secondsBefore = TimeOfDaySeed(second / 3600, second / 60 % 60, second % 60, 0);
  EXPECT_LT(seed, 86400000u);
  // Within two seconds after the reading before it, across midnight too.
  EXPECT_LT((seed + 86400000u - secondsBefore) % 86400000u, 2000u);
}

}  // namespace
}  // namespace worksheet
