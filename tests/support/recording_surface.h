#pragma once

#include <string>
#include <vector>

#include "render/drawing_surface.h"

namespace test_support {

// A drawing surface that keeps every operation, in order, for tests and
// benchmarks to read back.
class RecordingSurface : public render::DrawingSurface {
 public:
  enum class Kind { BrushStyle, BrushColor, PenColor, Rectangle, FontName, FontHeight, TextOut };
  struct Operation {
    Kind kind = Kind::TextOut;
    int a = 0;              // style, colour, height, or x / x1
    int b = 0;              // y / y1
    int c = 0;              // x2
    int d = 0;              // y2
    std::string text = {};  // code page 932
  };

  void SetBrushStyle(render::BrushStyle style) override;
  void SetBrushColor(render::Color color) override;
  void SetPenColor(render::Color color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void SetFontName(std::string_view faceName) override;
  void SetFontHeight(int height) override;
  void TextOut(int x, int y, std::string_view text) override;

  const std::vector<Operation>& Operations() const { return m_operations; }
  // Forgets the operations but keeps their storage.
  void Clear() { m_operations.clear(); }

  // The operations one per line, texts in UTF-8, for readable comparisons:
  // "Rectangle 0 0 319 440", "TextOut 14 10 かけざん九九", ...
  std::vector<std::string> Lines() const;
  // The TextOut operations only, as "x y text".
  std::vector<std::string> TextLines() const;

 private:
  std::vector<Operation> m_operations;
};

}  // namespace test_support
