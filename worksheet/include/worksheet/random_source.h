#pragma once

#include <cstdint>

namespace worksheet {

// The program's one random generator: a 32-bit linear congruential generator,
// S := S × 0x08088405 + 1 (mod 2^32), seeded once from the time of day. Its
// exact sequence matters: the same seed and settings give the same sheet.
class RandomSource {
 public:
  static constexpr std::uint32_t kMultiplier = 0x08088405u;

  constexpr explicit RandomSource(std::uint32_t seed) : m_state(seed) {}

  // Seeded with the milliseconds since midnight UTC on the system clock.
  static RandomSource FromClock();

  // Steps the state, then scales it to 0..n-1: the upper 32 bits of S × n.
  // n must be at least 1.
  constexpr int Draw(int n) {
    m_state = m_state * kMultiplier + 1u;
    const auto range = static_cast<std::uint32_t>(n);
    return static_cast<int>((std::uint64_t{m_state} * range) >> 32);
  }

  constexpr std::uint32_t State() const { return m_state; }

 private:
  std::uint32_t m_state;
};

// ((hour × 60 + minute) × 60 + second) × 1000 + millisecond.
constexpr std::uint32_t TimeOfDaySeed(std::uint32_t hour, std::uint32_t minute,
                                      std::uint32_t second, std::uint32_t millisecond) {
  return ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
}

}  // namespace worksheet
