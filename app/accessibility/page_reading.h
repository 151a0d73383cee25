#pragma once

#include <QList>

#include "preview_area.h"
#include "render/drawing_surface.h"

// The texts of a page as a screen reader reads them: a surface that draws
// nothing and keeps every text the page draws, in drawing order (the header,
// then the questions column by column, top to bottom), in the words speech
// engines say, each with the box it is drawn in.
class PageReading final : public render::DrawingSurface {
 public:

  const QList<PreviewLine>& Lines() const { return m_lines; }

  void SetBrushStyle(render::BrushStyle style) override;
  void SetBrushColor(render::Color color) override;
  void SetPenColor(render::Color color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void SetFontName(std::string_view faceName) override;
  void SetFontHeight(int height) override;
  void TextOut(int x, int y, std::string_view text) override;

 private:
  QList<PreviewLine> m_lines;
  int m_fontHeight = 1;
};
