#include "render/problem_texts.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "worksheet/problem_code.h"
#include "worksheet/worksheet_settings.h"

namespace render {
namespace {

// Code page 932 pieces of the texts: "×" is 0x81 0x7E, "＝" 0x81 0x81.
constexpr std::string_view kTimes = "\x81\x7e";
constexpr std::string_view kEquals = "\x81\x81";
constexpr std::string_view kBoxTimes = "[ ]\x81\x7e";                // "[ ]×"
constexpr std::string_view kTimesBoxEquals = "\x81\x7e[ ]\x81\x81";  // "×[ ]＝"
constexpr std::string_view kOpenBox = "[";
constexpr std::string_view kCloseBoxTimes = "]\x81\x7e";   // "]×"
constexpr std::string_view kTimesOpenBox = "\x81\x7e[";    // "×["
constexpr std::string_view kCloseBoxEquals = "]\x81\x81";  // "]＝"

// Joins pieces into a fixed buffer; whatever does not fit is dropped. Room
// enough for any text of int32 codes, which is cut to 16 bytes afterwards.
class TextBuilder {
 public:
  TextBuilder& operator<<(std::string_view piece) {
    const std::size_t room = m_bytes.size() - m_length;
    const std::size_t taken = std::min(room, piece.size());
    std::copy_n(piece.begin(), taken, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_length));
    m_length += taken;
    return *this;
  }
  TextBuilder& operator<<(std::int64_t number) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    return *this << std::string_view(digits.data(),
                                     static_cast<std::size_t>(result.ptr - digits.data()));
  }
  std::string_view View() const { return {m_bytes.data(), m_length}; }

 private:
  std::array<char, 96> m_bytes{};
  std::size_t m_length = 0;
};

enum class Box { None, OnTable, OnMultiplier };

Box BoxOf(std::int32_t rgSquare, std::int32_t blankSide) {
  switch (rgSquare) {
    case worksheet::kBlankTable:
      return Box::OnTable;
    case worksheet::kBlankMultiplier:
      return Box::OnMultiplier;
    case worksheet::kBlankMixed:
      return blankSide == 0 ? Box::OnTable : Box::OnMultiplier;
    default:
      return Box::None;
  }
}

std::int64_t TableFactor(std::int32_t rgMulti) {
  switch (rgMulti) {
    case worksheet::kTableTimesTen:
      return 10;
    case worksheet::kTableTimesHundred:
      return 100;
    default:
      return 1;
  }
}

void WriteBody(worksheet::ProblemCode code, Box box, std::int64_t tableFactor, bool answer,
               TextBuilder& text) {
  const std::int64_t table = worksheet::TableOf(code);
  const std::int64_t multiplier = worksheet::MultiplierOf(code);
  const std::int64_t product = table * multiplier;
  switch (box) {
    case Box::OnTable:
      if (answer) {
        text << kOpenBox << table << kCloseBoxTimes << multiplier << kEquals << product;
      } else {
        text << kBoxTimes << multiplier << kEquals << product;
      }
      break;
    case Box::OnMultiplier:
      if (answer) {
        text << table << kTimesOpenBox << multiplier << kCloseBoxEquals << product;
      } else {
        text << table << kTimesBoxEquals << product;
      }
      break;
    case Box::None:
      text << table * tableFactor << kTimes << multiplier;
      if (answer) text << kEquals << table * tableFactor * multiplier;
      break;
  }
}

}  // namespace

int NumberCycle(int countOption) {
  const bool multipleOfTen = countOption % 2 != 0;
  if (countOption >= 8) return multipleOfTen ? 20 : 18;
  return multipleOfTen ? 10 : 9;
}

void BuildProblemTexts(const worksheet::Sheet& sheet, int drawMode, const DrawingOptions& options,
                       ProblemTextTable& texts) {
  if (drawMode != kQuestionSheet && drawMode != kAnswerSheet) return;
  const bool answer = drawMode == kAnswerSheet;
  const std::int64_t tableFactor = TableFactor(options.rgMulti);
  const int count = std::clamp(sheet.count, 0, ProblemTextTable::kSlotCount);
  const int cycle = NumberCycle(sheet.countOption);

  for (int slot = 1; slot <= count; ++slot) {
    TextBuilder body;
    WriteBody(sheet.problems[slot], BoxOf(options.rgSquare, sheet.blankSides[slot]), tableFactor,
              answer, body);
    texts[slot].Assign(body.View());
    if (options.rgNum == worksheet::kNumbered) {
      TextBuilder numbered;
      numbered << CircledNumberTable[static_cast<std::size_t>((slot - 1) % cycle)]
               << texts[slot].View();
      texts[slot].Assign(numbered.View());
    }
  }
}

}  // namespace render
