#include "render/make_print.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

#include "render/page_scale.h"

namespace render {
namespace {

// Code page 932 texts of the page.
constexpr std::string_view kTitle =
    "\x82\xa9\x82\xaf\x82\xb4\x82\xf1\x8b\xe3\x8b\xe3";  // "かけざん九九"
constexpr std::string_view kNumberLabel =
    "\x96\xe2\x91\xe8"
    "No.";  // "問題No."
// "（", eleven ideographic spaces, "）"
constexpr std::string_view kNameField =
    "\x81\x69\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40"
    "\x81\x40\x81\x6a";
constexpr std::string_view kInstruction =
    "\x82\xaf\x82\xa2\x82\xb3\x82\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xe5\x82\xa4";  // "けいさんしましょう"

// Every column of questions is this many page units tall, whatever its rows.
constexpr int kColumnHeight = 360;

// Rows per column and row pitch in page units by the count option. A column
// holds as many rows as the numbering counts before it starts again.
struct QuestionGrid {
  int rows;
  int rowPitch;
};

QuestionGrid GridFor(int countOption) {
  const int rows = NumberCycle(countOption);
  return {rows, kColumnHeight / rows};
}

// Sums of device values are kept in 64 bits and held within int, so that no
// width or height a caller passes can overflow.
int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

class NumberText {
 public:
  explicit NumberText(std::int32_t number) {
    std::copy(kNumberLabel.begin(), kNumberLabel.end(), m_bytes.begin());
    char* const digits = m_bytes.data() + kNumberLabel.size();
    m_end = std::to_chars(digits, m_bytes.data() + m_bytes.size(), number).ptr;
  }
  std::string_view View() const {
    return {m_bytes.data(), static_cast<std::size_t>(m_end - m_bytes.data())};
  }

 private:
  std::array<char, 32> m_bytes{};
  const char* m_end = nullptr;
};

}  // namespace

void MakePrint(DrawingSurface& surface, int width, int height, int drawMode,
               const PageContent& content, ProblemTextTable& texts) {
  const float scale = PageScale(width, height);
  const auto S = [scale](int pageUnits) { return ScaleToDevice(scale, pageUnits); };

  surface.SetBrushStyle(BrushStyle::bsSolid);
  surface.SetBrushColor(kWhite);
  surface.SetPenColor(kWhite);
  surface.Rectangle(0, 0, S(kPageWidth - 1), S(kPageHeight - 1));

  surface.SetPenColor(kBlack);
  surface.SetBrushStyle(BrushStyle::bsClear);

  surface.SetFontName(kGothicFace);
  surface.SetFontHeight(S(6));
  surface.TextOut(S(14), S(10), kTitle);
  surface.SetFontName(kMinchoFace);
  surface.SetFontHeight(S(6));
  surface.TextOut(S(64), S(10), NumberText(content.printNumber).View());
  surface.SetFontHeight(S(14));
  surface.TextOut(S(140), S(20), kNameField);
  surface.SetFontHeight(S(12));
  surface.TextOut(S(14), S(40), kInstruction);

  surface.SetFontHeight(S(16));
  BuildProblemTexts(content.sheet, drawMode, content.options, texts);

  const int count = std::clamp(content.sheet.count, 0, ProblemTextTable::kSlotCount);
  const QuestionGrid grid = GridFor(content.sheet.countOption);
  const int columns = count / grid.rows;
  if (columns < 1) return;
  // The column pitch is whole device pixels of the width as passed; the
  // column offsets are not rounded again.
  const std::int64_t columnPitch = (std::int64_t{width} - S(20)) / columns;
  for (int column = 0; column < columns; ++column) {
    const int x = ClampToInt(S(23) + column * columnPitch);
    for (int row = 0; row < grid.rows; ++row) {
      const int y = ClampToInt(std::int64_t{S(70)} + S(row * grid.rowPitch));
      surface.TextOut(x, y, texts[column * grid.rows + row + 1].View());
    }
  }
}

}  // namespace render
