#include "recorded_page.h"

#include <algorithm>
#include <cstdint>

#include "render/cp932_character.h"
#include "sheet_font.h"

namespace web {

void RecordedPage::Clear() {
  m_wordCount = 0;
  m_textSize = 0;
}

void RecordedPage::SetBrushStyle(render::BrushStyle style) {
  m_solid = style == render::BrushStyle::bsSolid;
}
void RecordedPage::SetBrushColor(render::Color color) {
  m_brush = color;
}
void RecordedPage::SetPenColor(render::Color color) {
  m_pen = color;
}

void RecordedPage::SetFontName(std::string_view faceName) {
  m_face = faceName == render::kGothicFace ? kGothic : kMincho;
}

void RecordedPage::SetFontHeight(int height) {
  m_height = height;
}

std::int32_t RecordedPage::Brush() const {
  return m_solid ? static_cast<std::int32_t>(m_brush) : -1;
}

bool RecordedPage::Fits(int words, std::size_t textBytes) const {
  return m_wordCount + words <= static_cast<int>(m_words.size()) &&
         static_cast<std::size_t>(m_textSize) + textBytes <= m_texts.size();
}

void RecordedPage::Rectangle(int x1, int y1, int x2, int y2) {
  if (!Fits(7, 0)) return;
  for (const std::int32_t word :
       {std::int32_t{kRectangle}, x1, y1, x2, y2, Brush(), static_cast<std::int32_t>(m_pen)}) {
    Put(word);
  }
}

void RecordedPage::TextOut(int x, int y, std::string_view text) {
  constexpr int kHeader = 10;
  // At most one character per byte, each with its start, and the end.
  const int mostWords = kHeader + static_cast<int>(text.size()) + 1;
  if (!Fits(mostWords, text.size())) return;
  const int offset = m_textSize;
  std::copy(text.begin(), text.end(), m_texts.begin() + offset);
  m_textSize += static_cast<int>(text.size());

  // The cell height is the ascent and the descent, an em for these fonts.
  const std::int64_t size = std::int64_t{m_height} * kFontUnitsPerEm / (kFontAscent + kFontDescent);
  const std::int64_t ascent = (size * kFontAscent + kFontUnitsPerEm / 2) / kFontUnitsPerEm;
  const int header = m_wordCount;
  for (const std::int32_t word :
       {std::int32_t{kText}, x, y, std::int32_t{m_face}, static_cast<std::int32_t>(size),
        static_cast<std::int32_t>(y + ascent), Brush(), offset,
        static_cast<std::int32_t>(text.size()), 0}) {
    Put(word);
  }
  int characters = 0;
  int start = 0;
  for (std::size_t at = 0; at < text.size(); ++characters) {
    Put(start);
    const std::size_t bytes = render::CharacterAt(text, at).size();
    start += bytes == 1 ? kHalfEmsPerSingleByte : kHalfEmsPerDoubleByte;
    at += bytes;
  }
  Put(start);
  m_words[static_cast<std::size_t>(header + kHeader - 1)] = characters;
}

}  // namespace web
