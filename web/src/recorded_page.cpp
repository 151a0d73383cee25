#include "recorded_page.h"

#include <algorithm>

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
  if (!Fits(8, text.size())) return;
  const int offset = m_textSize;
  std::copy(text.begin(), text.end(), m_texts.begin() + offset);
  m_textSize += static_cast<int>(text.size());
  for (const std::int32_t word : {std::int32_t{kText}, x, y, std::int32_t{m_face}, m_height,
                                  Brush(), offset, static_cast<std::int32_t>(text.size())}) {
    Put(word);
  }
}

}  // namespace web
