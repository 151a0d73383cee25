#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "render/problem_text_table.h"
#include "worksheet/sheet.h"

namespace render {

// Which sheet a drawing shows.
enum DrawMode : int {
  kQuestionSheet = 0,
  kAnswerSheet = 1,
};

// The options that change how questions are written, read at every drawing:
// the chosen indexes of rgSquare, rgMulti and rgNum.
struct DrawingOptions {
  std::int32_t rgSquare = 0;
  std::int32_t rgMulti = 0;
  std::int32_t rgNum = 0;
};

// "①" to "⑳": entry k is the two-byte code 0x8740 + k of code page 932.
inline constexpr std::array<std::string_view, 20> CircledNumberTable = [] {
  std::array<std::string_view, 20> table{};
  for (std::size_t k = 0; k < table.size(); ++k) {
    table[k] = std::string_view(
                   "\x87\x40\x87\x41\x87\x42\x87\x43\x87\x44\x87\x45\x87\x46"
                   "\x87\x47\x87\x48\x87\x49\x87\x4a\x87\x4b\x87\x4c\x87\x4d"
                   "\x87\x4e\x87\x4f\x87\x50\x87\x51\x87\x52\x87\x53")
                   .substr(2 * k, 2);
  }
  return table;
}();

// The numbering starts again at "①" after this many questions, and each
// column of the page holds as many rows (MakePrint lays the columns by it).
int NumberCycle(int countOption);

// Rewrites slots 1 to N of the table with the question texts (kQuestionSheet)
// or the answer texts (kAnswerSheet) of the sheet; any other mode rewrites
// nothing, so the table keeps the texts of the previous drawing.
void BuildProblemTexts(const worksheet::Sheet& sheet, int drawMode, const DrawingOptions& options,
                       ProblemTextTable& texts);

}  // namespace render
