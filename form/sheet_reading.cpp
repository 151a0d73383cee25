#include "form/sheet_reading.h"

#include <algorithm>
#include <string>
#include <utility>

#include "form/captions.h"

namespace form {

namespace {

// "①" .. "⑳" in UTF-8: E2 91 A0 .. E2 91 B3.
constexpr unsigned char kCircledFirst = 0xA0;
constexpr unsigned char kCircledLast = 0xB3;

// Each circled number as the number followed by 番、; NFKC would leave a
// bare digit of it.
std::string WithCircledNumbersSpoken(std::string_view shown) {
  std::string text;
  text.reserve(shown.size() + 8);
  for (std::size_t at = 0; at < shown.size(); ++at) {
    const auto third = at + 2 < shown.size() ? static_cast<unsigned char>(shown[at + 2]) : 0;
    if (shown.substr(at, 2) == "\xE2\x91" && third >= kCircledFirst && third <= kCircledLast) {
      text += std::to_string(third - kCircledFirst + 1) + "番、";
      at += 2;
    } else {
      text += shown[at];
    }
  }
  return text;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

bool IsAsciiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Trimmed, and each run of white space one space. After NFKC the wide
// spaces of Japanese text are plain ones.
std::string Simplified(std::string_view text) {
  std::string simple;
  simple.reserve(text.size());
  bool spaceBefore = false;
  for (const char c : text) {
    if (IsAsciiSpace(c)) {
      spaceBefore = !simple.empty();
      continue;
    }
    if (spaceBefore) simple += ' ';
    spaceBefore = false;
    simple += c;
  }
  return simple;
}

// A spoken text with a letter or a digit: after NFKC the page's brackets
// and spaces are ASCII signs, and every other character is a word's.
bool HasLetterOrDigit(std::string_view spoken) {
  return std::any_of(spoken.begin(), spoken.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
  });
}

}  // namespace

// Only the texts and their size make the reading.
void SheetReading::SetBrushStyle(render::BrushStyle /*style*/) {}

void SheetReading::SetBrushColor(render::Color /*color*/) {}

void SheetReading::SetPenColor(render::Color /*color*/) {}

void SheetReading::Rectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}

void SheetReading::SetFontName(std::string_view /*faceName*/) {}

void SheetReading::SetFontHeight(int height) {
  m_fontHeight = height;
}

void SheetReading::TextOut(int x, int y, std::string_view text) {
  const std::string shown = m_platform.Utf8FromCp932(text);
  ReadingLine line{.spoken = SpokenText(m_platform, shown), .x = x, .y = y, .height = m_fontHeight};
  // Full-width characters are a cell high and wide, ASCII ones half as wide;
  // each character starts with a byte that does not continue another.
  for (const char c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) line.width += byte < 0x80 ? m_fontHeight / 2 : m_fontHeight;
  }
  // The page's only text without a letter or digit is the empty field for
  // the child's name.
  if (!HasLetterOrDigit(line.spoken)) line.spoken = "名前を書く欄";
  m_lines.push_back(std::move(line));
}

std::string SpokenText(const PlatformText& platform, std::string_view shown) {
  std::string text = platform.Nfkc(WithCircledNumbersSpoken(shown));
  ReplaceAll(text, "[ ]", "四角");
  ReplaceAll(text, "×", "かける");
  ReplaceAll(text, "=", "は");
  return Simplified(text);
}

std::string SheetSummary(const PlatformText& platform, int countOption, std::int32_t number) {
  return "答えの用紙（" + SpokenText(platform, QuestionCountLabel(platform, countOption)) +
         "、問題No." + std::to_string(number) + "）";
}

}  // namespace form
