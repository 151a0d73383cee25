#pragma once

#include <array>
#include <string_view>

namespace worksheet {

// One choice of the question count ("問題数"): its label as the window shows
// it, in code page 932, and N, the number of questions on the sheet.
struct QuestionCountOption {
  std::string_view label;
  int count;
};

inline constexpr int kQuestionCountOptionCount = 14;

// In index order. Even indexes give the multiples of nine, odd ones the
// multiples of ten; the two "２列" rows differ from rows 6 and 7 only in layout.
inline constexpr std::array<QuestionCountOption, kQuestionCountOptionCount> kQuestionCountOptions{{
    {"\x81\x40\x82\x58\x96\xe2", 9},                   // "　９問"
    {"\x82\x50\x82\x4f\x96\xe2", 10},                  // "１０問"
    {"\x82\x50\x82\x57\x96\xe2", 18},                  // "１８問"
    {"\x82\x51\x82\x4f\x96\xe2", 20},                  // "２０問"
    {"\x82\x51\x82\x56\x96\xe2", 27},                  // "２７問"
    {"\x82\x52\x82\x4f\x96\xe2", 30},                  // "３０問"
    {"\x82\x52\x82\x55\x96\xe2", 36},                  // "３６問"
    {"\x82\x53\x82\x4f\x96\xe2", 40},                  // "４０問"
    {"\x82\x54\x82\x53\x96\xe2", 54},                  // "５４問"
    {"\x82\x55\x82\x4f\x96\xe2", 60},                  // "６０問"
    {"\x82\x56\x82\x51\x96\xe2", 72},                  // "７２問"
    {"\x82\x57\x82\x4f\x96\xe2", 80},                  // "８０問"
    {"\x82\x52\x82\x55\x96\xe2\x82\x51\x97\xf1", 36},  // "３６問２列"
    {"\x82\x53\x82\x4f\x96\xe2\x82\x51\x97\xf1", 40},  // "４０問２列"
}};

constexpr bool IsQuestionCountIndex(int index) {
  return index >= 0 && index < kQuestionCountOptionCount;
}

// N for a count index (0..13).
constexpr int QuestionCount(int index) {
  return kQuestionCountOptions[static_cast<std::size_t>(index)].count;
}

// The multiplier 0 may be chosen exactly with the multiples of ten.
constexpr bool ZeroMultiplierAllowed(int index) {
  return index % 2 == 1;
}

}  // namespace worksheet
