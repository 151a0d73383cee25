#pragma once

#include <QColor>
#include <QString>

#include "render/drawing_surface.h"

class FontCache;
class QPainter;

// The page's drawing surface over a QPainter: a QImage, the preview widget or
// a printer page. Antialiasing is off for figures so that a rectangle covers
// exactly its pixels; text is black and drawn with its cell's top-left corner
// at the point given.
class QtDrawingSurface final : public render::DrawingSurface {
 public:
  QtDrawingSurface(QPainter& painter, FontCache& fonts);

  void SetBrushStyle(render::BrushStyle style) override;
  void SetBrushColor(render::Color color) override;
  void SetPenColor(render::Color color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void SetFontName(std::string_view faceName) override;
  void SetFontHeight(int height) override;
  void TextOut(int x, int y, std::string_view text) override;

 private:
  QPainter& m_painter;
  FontCache& m_fonts;
  render::BrushStyle m_brushStyle = render::BrushStyle::bsSolid;
  QColor m_brushColor = Qt::white;
  QColor m_penColor = Qt::black;
  QString m_faceName;
  int m_fontHeight = 1;
};
