#include "page_reading.h"

#include <algorithm>

#include "cp932_codec.h"
#include "spoken_text.h"

// Only the texts and their size make the reading.
void PageReading::SetBrushStyle(render::BrushStyle /*style*/) {}

void PageReading::SetBrushColor(render::Color /*color*/) {}

void PageReading::SetPenColor(render::Color /*color*/) {}

void PageReading::Rectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}

void PageReading::SetFontName(std::string_view /*faceName*/) {}

void PageReading::SetFontHeight(int height) {
  m_fontHeight = height;
}

void PageReading::TextOut(int x, int y, std::string_view text) {
  const QString shown = QStringFromCp932(text);
  QString spoken = SpokenText(shown);
  // The page's only text without a letter or digit is the empty field for
  // the child's name.
  if (std::none_of(spoken.cbegin(), spoken.cend(), [](QChar c) { return c.isLetterOrNumber(); })) {
    spoken = QStringLiteral("名前を書く欄");
  }
  // Full-width characters are a cell high and wide, the others half as wide.
  int width = 0;
  for (const QChar c : shown) width += c.unicode() < 0x80 ? m_fontHeight / 2 : m_fontHeight;
  m_lines.append({spoken, QRect(x, y, width, m_fontHeight)});
}
