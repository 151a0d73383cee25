#pragma once

#include <cstdint>
#include <string_view>

namespace render {

enum class BrushStyle {
  bsSolid,  // figures filled, text on an opaque background of the brush colour
  bsClear,  // figures not filled, text on a transparent background
};

// The two faces the page is drawn in, by their Windows names, code page 932.
inline constexpr std::string_view kGothicFace =
    "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";  // "ＭＳ ゴシック"
inline constexpr std::string_view kMinchoFace = "\x82\x6c\x82\x72 \x96\xbe\x92\xa9";  // "ＭＳ 明朝"

// 24-bit RGB, 0xRRGGBB.
using Color = std::uint32_t;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;

// What the page needs of a surface to draw on: the preview area or a printer
// page. Coordinates and heights are device pixels; texts and face names are
// code page 932. Text is always black and regular; the pen is solid and one
// pixel wide.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  virtual void SetBrushStyle(BrushStyle style) = 0;  // Brush.Style
  virtual void SetBrushColor(Color color) = 0;       // Brush.Color
  virtual void SetPenColor(Color color) = 0;         // Pen.Color
  // Outlined with the pen and filled with the brush; covers x1 <= x < x2 and
  // y1 <= y < y2.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void SetFontName(std::string_view faceName) = 0;  // Font.Name
  // Cell height (ascent plus descent) in pixels.
  virtual void SetFontHeight(int height) = 0;  // Font.Height
  // One line, the top-left corner of its first character cell at (x, y).
  virtual void TextOut(int x, int y, std::string_view text) = 0;
};

}  // namespace render
