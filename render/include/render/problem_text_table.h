#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace render {

// A code page 932 text of at most 16 bytes; a longer text keeps its first 16.
class ProblemText {
 public:
  static constexpr std::size_t kMaxBytes = 16;

  constexpr void Assign(std::string_view text) {
    m_length = std::min(text.size(), kMaxBytes);
    std::copy_n(text.begin(), m_length, m_bytes.begin());
  }
  constexpr std::string_view View() const { return {m_bytes.data(), m_length}; }

 private:
  std::array<char, kMaxBytes> m_bytes{};
  std::size_t m_length = 0;
};

// The texts of one drawing, slot i for question i, numbered 1 to 80.
class ProblemTextTable {
 public:
  static constexpr int kSlotCount = 80;

  constexpr ProblemText& operator[](int slot) { return m_slots[Index(slot)]; }
  constexpr const ProblemText& operator[](int slot) const { return m_slots[Index(slot)]; }

 private:
  static constexpr std::size_t Index(int slot) {
    assert(slot >= 1 && slot <= kSlotCount);
    return static_cast<std::size_t>(slot - 1);
  }

  std::array<ProblemText, kSlotCount> m_slots{};
};

}  // namespace render
