#pragma once

#include <bit>
#include <cstdint>

#include "worksheet/problem_code.h"

namespace worksheet {

// The chosen tables: bit k set when table k (0..9) is chosen. Tables outside
// 0..9 are never chosen; setting or clearing one does nothing.
class TableMask {
 public:
  constexpr TableMask() = default;
  constexpr explicit TableMask(std::uint32_t bits) : m_bits(bits & kAllTables) {}

  constexpr bool Test(int table) const { return IsTable(table) && (m_bits & Bit(table)) != 0; }
  constexpr void Set(int table) {
    if (IsTable(table)) {
      m_bits |= Bit(table);
    }
  }
  constexpr void Clear(int table) {
    if (IsTable(table)) {
      m_bits &= ~Bit(table);
    }
  }
  constexpr int Count() const { return std::popcount(m_bits); }
  constexpr std::uint32_t Bits() const { return m_bits; }

  constexpr bool operator==(const TableMask&) const = default;

 private:
  static constexpr std::uint32_t kAllTables = (1u << kTableCount) - 1;
  static constexpr bool IsTable(int table) { return table >= 0 && table < kTableCount; }
  static constexpr std::uint32_t Bit(int table) { return 1u << table; }

  std::uint32_t m_bits = 0;
};

}  // namespace worksheet
