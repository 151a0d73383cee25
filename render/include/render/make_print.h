#pragma once

// One whole page, the question sheet or the answer sheet, on a surface of any
// resolution. The page is laid out in units of a 320 × 441 page and scaled
// to the surface by one factor: white background, a header (title, sheet
// number, a name field, an instruction) and the questions in columns of 9,
// 10, 18 or 20 rows, one to four columns by the sheet's count option.

#include <cstdint>

#include "render/drawing_surface.h"
#include "render/problem_text_table.h"
#include "render/problem_texts.h"
#include "worksheet/sheet.h"

namespace render {

// What a page shows, as it stands at the moment of drawing.
struct PageContent {
  const worksheet::Sheet& sheet;
  std::int32_t printNumber;
  DrawingOptions options;
};

// Draws the page onto a surface of width × height device pixels. The texts of
// the questions are rebuilt into `texts` for kQuestionSheet and kAnswerSheet;
// any other mode draws the texts the table already holds. Leaves the surface
// with a clear brush, a black pen and the Mincho face at the questions' height.
void MakePrint(DrawingSurface& surface, int width, int height, int drawMode,
               const PageContent& content, ProblemTextTable& texts);

}  // namespace render
