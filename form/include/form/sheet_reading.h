#pragma once

// The sheet as a screen reader reads it, for the window's preview and the
// web page's: a surface that draws nothing and keeps every text the page
// draws, in drawing order (the header, then the questions column by column),
// in the words speech engines say, each with the box it stands in.

#include <string>
#include <string_view>
#include <vector>

#include "form/platform_text.h"
#include "render/drawing_surface.h"

namespace form {

struct ReadingLine {
  std::string spoken;  // UTF-8
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const ReadingLine&, const ReadingLine&) = default;
};

class SheetReading final : public render::DrawingSurface {
 public:
  explicit SheetReading(const PlatformText& platform) : m_platform(platform) {}
  const std::vector<ReadingLine>& Lines() const { return m_lines; }

  void SetBrushStyle(render::BrushStyle style) override;
  void SetBrushColor(render::Color color) override;
  void SetPenColor(render::Color color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void SetFontName(std::string_view faceName) override;
  void SetFontHeight(int height) override;
  void TextOut(int x, int y, std::string_view text) override;

 private:
  const PlatformText& m_platform;
  std::vector<ReadingLine> m_lines;
  int m_fontHeight = 1;
};

// A text of the window or of the page as speech engines read it out
// (UTF-8 in and out): its NFKC (full-width digits, letters and signs as
// plain ones, half-width katakana as full-width), the blank box "[ ]" as
// 四角, "×" as かける, "=" as は, a circled number as the number followed by
// 番、, runs of spaces as one. Japanese voices drop full-width digits and
// signs; this is what they say.
std::string SpokenText(const PlatformText& platform, std::string_view shown);

// How many lines Page Up and Page Down move through the reading.
inline constexpr int kReadingPageStep = 10;

// "答えの用紙（9問、問題No.7）": the sheet read, its count and its number.
std::string SheetSummary(const PlatformText& platform, int countOption, std::int32_t number);

}  // namespace form
