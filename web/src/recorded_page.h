#pragma once

// A page as the browser draws it: MakePrint's operations, each resolved to
// the brush, pen and font it was drawn with, in one buffer of 32-bit words
// that the page's script reads from the module's memory. The words of one
// operation:
//   kRectangle  x1 y1 x2 y2 fill pen           fill -1 when the brush is clear
//   kText       x y face size baseline background offset length characters
//               start...
//               size is the font's size; baseline the y of its baseline;
//               background -1 when clear; the text's code page 932 bytes
//               are Texts()[offset, offset + length); then characters + 1
//               starts, in half ems from x: each character's, and the end.
// Colours are 0xRRGGBB; coordinates and sizes are device pixels. The font's
// size and the characters' places come from the fonts' own metrics
// (sheet_font.h), so that every browser puts a text where the desktop does.

#include <array>
#include <cstdint>
#include <string_view>

#include "render/drawing_surface.h"

namespace web {

enum Operation : std::int32_t { kRectangle = 1, kText = 2 };
enum Face : std::int32_t { kGothic = 0, kMincho = 1 };

class RecordedPage final : public render::DrawingSurface {
 public:
  void Clear();
  const std::int32_t* Words() const { return m_words.data(); }
  int WordCount() const { return m_wordCount; }
  const char* Texts() const { return m_texts.data(); }

  void SetBrushStyle(render::BrushStyle style) override;
  void SetBrushColor(render::Color color) override;
  void SetPenColor(render::Color color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void SetFontName(std::string_view faceName) override;
  void SetFontHeight(int height) override;
  void TextOut(int x, int y, std::string_view text) override;

 private:
  bool Fits(int words, std::size_t textBytes) const;
  void Put(std::int32_t word) { m_words[static_cast<std::size_t>(m_wordCount++)] = word; }
  std::int32_t Brush() const;

  // A page has one rectangle and at most 84 texts of at most 26 bytes, some
  // 3,200 words: below these. What would not fit is left out, never written
  // past the end.
  std::array<std::int32_t, 4096> m_words{};
  std::array<char, 4096> m_texts{};
  int m_wordCount = 0;
  int m_textSize = 0;
  bool m_solid = true;
  render::Color m_brush = render::kWhite;
  render::Color m_pen = render::kBlack;
  Face m_face = kMincho;
  int m_height = 1;
};

}  // namespace web
