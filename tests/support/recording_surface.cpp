#include "recording_surface.h"

#include <cstdio>

#include "cp932.h"

namespace test_support {

void RecordingSurface::SetBrushStyle(render::BrushStyle style) {
  m_operations.push_back({.kind = Kind::BrushStyle, .a = static_cast<int>(style)});
}
void RecordingSurface::SetBrushColor(render::Color color) {
  m_operations.push_back({.kind = Kind::BrushColor, .a = static_cast<int>(color)});
}
void RecordingSurface::SetPenColor(render::Color color) {
  m_operations.push_back({.kind = Kind::PenColor, .a = static_cast<int>(color)});
}
void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2) {
  m_operations.push_back({.kind = Kind::Rectangle, .a = x1, .b = y1, .c = x2, .d = y2});
}
void RecordingSurface::SetFontName(std::string_view faceName) {
  m_operations.push_back({.kind = Kind::FontName, .text = std::string(faceName)});
}
void RecordingSurface::SetFontHeight(int height) {
  m_operations.push_back({.kind = Kind::FontHeight, .a = height});
}
void RecordingSurface::TextOut(int x, int y, std::string_view text) {
  m_operations.push_back({.kind = Kind::TextOut, .a = x, .b = y, .text = std::string(text)});
}

std::vector<std::string> RecordingSurface::Lines() const {
  std::vector<std::string> lines;
  for (const Operation& op : m_operations) {
    const std::string a = std::to_string(op.a);
    const std::string b = std::to_string(op.b);
    switch (op.kind) {
      case Kind::BrushStyle:
        lines.push_back(op.a == static_cast<int>(render::BrushStyle::bsSolid)
                            ? "Brush.Style bsSolid"
                            : "Brush.Style bsClear");
        break;
      case Kind::BrushColor:
      case Kind::PenColor: {
        char color[16];
        std::snprintf(color, sizeof color, "%06X", static_cast<unsigned>(op.a));
        lines.push_back((op.kind == Kind::BrushColor ? "Brush.Color " : "Pen.Color ") +
                        std::string(color));
        break;
      }
      case Kind::Rectangle:
        lines.push_back("Rectangle " + a + " " + b + " " + std::to_string(op.c) + " " +
                        std::to_string(op.d));
        break;
      case Kind::FontName:
        lines.push_back("Font.Name " + Utf8FromCp932(op.text));
        break;
      case Kind::FontHeight:
        lines.push_back("Font.Height " + a);
        break;
      case Kind::TextOut:
        lines.push_back("TextOut " + a + " " + b + " " + Utf8FromCp932(op.text));
        break;
    }
  }
  return lines;
}

std::vector<std::string> RecordingSurface::TextLines() const {
  std::vector<std::string> lines;
  for (const Operation& op : m_operations) {
    if (op.kind == Kind::TextOut) {
      lines.push_back(std::to_string(op.a) + " " + std::to_string(op.b) + " " +
                      Utf8FromCp932(op.text));
    }
  }
  return lines;
}

}  // namespace test_support
