#include "qt_drawing_surface.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
#include <cstdint>

#include "cp932_codec.h"
#include "font_cache.h"

namespace {

QColor FromRgb(render::Color color) {
  return {static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
          static_cast<int>(color & 0xFF)};
}

// Far beyond any page, small enough that Qt's own rectangle arithmetic in
// int cannot overflow.
constexpr int kFarthest = 1 << 24;

int Limited(int coordinate) {
  return std::clamp(coordinate, -kFarthest, kFarthest);
}

}  // namespace

QtDrawingSurface::QtDrawingSurface(QPainter& painter, FontCache& fonts)
    : m_painter(painter), m_fonts(fonts) {
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtDrawingSurface::SetBrushStyle(render::BrushStyle style) {
  m_brushStyle = style;
}
void QtDrawingSurface::SetBrushColor(render::Color color) {
  m_brushColor = FromRgb(color);
}
void QtDrawingSurface::SetPenColor(render::Color color) {
  m_penColor = FromRgb(color);
}

void QtDrawingSurface::Rectangle(int x1, int y1, int x2, int y2) {
  x1 = Limited(x1);
  y1 = Limited(y1);
  x2 = Limited(x2);
  y2 = Limited(y2);
  if (x2 <= x1 || y2 <= y1) return;
  const QRect covered(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  if (m_brushStyle == render::BrushStyle::bsSolid) m_painter.fillRect(covered, m_brushColor);
  QPen outline(m_penColor);
  outline.setCosmetic(true);
  outline.setWidth(1);
  m_painter.setPen(outline);
  m_painter.setBrush(Qt::NoBrush);
  // A one-pixel outline of an aliased QRect covers width + 1 pixels.
  m_painter.drawRect(covered.adjusted(0, 0, -1, -1));
}

void QtDrawingSurface::SetFontName(std::string_view faceName) {
  m_faceName = QStringFromCp932(faceName);
}

void QtDrawingSurface::SetFontHeight(int height) {
  m_fontHeight = height;
}

void QtDrawingSurface::TextOut(int x, int y, std::string_view text) {
  const FontCache::PageFont font = m_fonts.Font(m_faceName, m_fontHeight);
  m_painter.setPen(Qt::black);
  if (m_brushStyle == render::BrushStyle::bsSolid) {
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(m_brushColor);
  } else {
    m_painter.setBackgroundMode(Qt::TransparentMode);
  }
  const QPointF baseline(Limited(x), Limited(y) + font.ascent);
  const QString shown = QStringFromCp932(text);
  // The screen draws the same texts at every repaint, from their kept
  // layouts, to the same pixels; a printer gets each page once.
  if (m_painter.paintEngine()->type() == QPaintEngine::Raster) {
    const QTextLayout& laid = m_fonts.LaidOut(m_faceName, m_fontHeight, shown, *m_painter.device());
    laid.draw(&m_painter, baseline - QPointF(0, laid.lineAt(0).ascent()));
    return;
  }
  m_painter.setFont(font.font);
  m_painter.drawText(baseline, shown);
}
