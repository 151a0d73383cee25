#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

#include "worksheet/problem_code.h"

namespace worksheet {

// Eighty signed 32-bit slots numbered 1 to 80: slots 1 to N make a sheet.
// The tag keeps the question list and its coin flips apart as types.
template <typename Tag>
class SheetSlots {
 public:
  static constexpr int kSlotCount = 80;

  constexpr std::int32_t& operator[](int slot) { return m_slots[Index(slot)]; }
  constexpr std::int32_t operator[](int slot) const { return m_slots[Index(slot)]; }

  // Slots 1 to count, as one contiguous range.
  constexpr std::span<std::int32_t> First(int count) {
    return std::span(m_slots).first(Size(count));
  }
  constexpr std::span<const std::int32_t> First(int count) const {
    return std::span(m_slots).first(Size(count));
  }

  constexpr void Clear() { m_slots.fill(0); }

  constexpr bool operator==(const SheetSlots&) const = default;

 private:
  static constexpr std::size_t Index(int slot) {
    assert(slot >= 1 && slot <= kSlotCount);
    return static_cast<std::size_t>(slot - 1);
  }
  static constexpr std::size_t Size(int count) {
    assert(count >= 0 && count <= kSlotCount);
    return static_cast<std::size_t>(count);
  }

  std::array<std::int32_t, kSlotCount> m_slots{};
};

// The questions of a sheet, one ProblemCode per slot.
using ProblemList = SheetSlots<struct ProblemListTag>;

// One coin flip (0 or 1) per question, for the mixed blank-box pattern:
// 0 puts the box on the table, 1 on the multiplier.
using BlankSideFlags = SheetSlots<struct BlankSideFlagsTag>;

}  // namespace worksheet
