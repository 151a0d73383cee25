#include "render/make_print.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "recording_surface.h"
#include "worksheet/question_count.h"

namespace render {
namespace {

using test_support::RecordingSurface;

// A sheet whose slot i holds code i - 1: question texts "0×0", "0×1", ...
worksheet::Sheet CountingSheet(int countOption) {
  worksheet::Sheet sheet;
  sheet.countOption = countOption;
  sheet.count = worksheet::QuestionCount(countOption);
  for (int slot = 1; slot <= sheet.count; ++slot) sheet.problems[slot] = slot - 1;
  return sheet;
}

std::string QuestionText(int code) {
  return std::to_string(code / 10) + "×" + std::to_string(code % 10);
}

// The device figures of a page, as the layout gives them for one size.
struct Figures {
  int right, bottom;                     // background corner
  int titleX, titleY, numberX, numberY;  // header positions
  int fieldX, fieldY, instructionX, instructionY;
  int small, field, instruction, question;  // cell heights
};

std::vector<std::string> HeaderLines(const Figures& f, const std::string& number) {
  const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y) + " "; };
  return {
      "Brush.Style bsSolid",
      "Brush.Color FFFFFF",
      "Pen.Color FFFFFF",
      "Rectangle 0 0 " + std::to_string(f.right) + " " + std::to_string(f.bottom),
      "Pen.Color 000000",
      "Brush.Style bsClear",
      "Font.Name ＭＳ ゴシック",
      "Font.Height " + std::to_string(f.small),
      "TextOut " + at(f.titleX, f.titleY) + "かけざん九九",
      "Font.Name ＭＳ 明朝",
      "Font.Height " + std::to_string(f.small),
      "TextOut " + at(f.numberX, f.numberY) + "問題No." + number,
      "Font.Height " + std::to_string(f.field),
      "TextOut " + at(f.fieldX, f.fieldY) + "（　　　　　　　　　　　）",
      "Font.Height " + std::to_string(f.instruction),
      "TextOut " + at(f.instructionX, f.instructionY) + "けいさんしましょう",
      "Font.Height " + std::to_string(f.question),
  };
}

// Column by column, each from top to bottom, slot i holding code i - 1.
std::vector<std::string> GridLines(const std::vector<int>& xs, const std::vector<int>& ys) {
  std::vector<std::string> lines;
  int code = 0;
  for (int x : xs) {
    for (int y : ys) {
      lines.push_back("TextOut " + std::to_string(x) + " " + std::to_string(y) + " " +
                      QuestionText(code++));
    }
  }
  return lines;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<std::string> Draw(int width, int height, const worksheet::Sheet& sheet,
                              int printNumber = 7, int drawMode = kQuestionSheet) {
  RecordingSurface surface;
  ProblemTextTable texts;
  MakePrint(surface, width, height, drawMode, {sheet, printNumber, {}}, texts);
  return surface.Lines();
}

std::vector<int> Steps(int first, int step, int count) {
  std::vector<int> values;
  for (int i = 0; i < count; ++i) values.push_back(first + i * step);
  return values;
}

constexpr Figures kPreview{319, 440, 14, 10, 64, 10, 140, 20, 14, 40, 6, 14, 12, 16};

TEST(make_print_test, preview_page_at_scale_one) {
  // "４０問": four columns of ten rows at pitch 36.
  EXPECT_EQ(Draw(320, 441, CountingSheet(7)),
            Concat(HeaderLines(kPreview, "7"), GridLines({23, 98, 173, 248}, Steps(70, 36, 10))));
  // "３６問２列": two columns of eighteen rows at pitch 20.
  EXPECT_EQ(Draw(320, 441, CountingSheet(12)),
            Concat(HeaderLines(kPreview, "7"), GridLines({23, 173}, Steps(70, 20, 18))));
  // "　９問": one column of nine rows at pitch 40.
  EXPECT_EQ(Draw(320, 441, CountingSheet(0), -2147483647 - 1),
            Concat(HeaderLines(kPreview, "-2147483648"), GridLines({23}, Steps(70, 40, 9))));
}

TEST(make_print_test, grid_of_every_count_option) {
  struct Grid {
    int rows, columns, pitch, columnPitch;
  };
  const Grid grids[14] = {{9, 1, 40, 300},  {10, 1, 36, 300}, {9, 2, 40, 150}, {10, 2, 36, 150},
                          {9, 3, 40, 100},  {10, 3, 36, 100}, {9, 4, 40, 75},  {10, 4, 36, 75},
                          {18, 3, 20, 100}, {20, 3, 18, 100}, {18, 4, 20, 75}, {20, 4, 18, 75},
                          {18, 2, 20, 150}, {20, 2, 18, 150}};
  for (int option = 0; option < 14; ++option) {
    const Grid& g = grids[option];
    EXPECT_EQ(Draw(320, 441, CountingSheet(option)),
              Concat(HeaderLines(kPreview, "7"),
                     GridLines(Steps(23, g.columnPitch, g.columns), Steps(70, g.pitch, g.rows))))
        << "count option " << option;
  }
}

TEST(make_print_test, printer_pages_scale_every_position) {
  // A4 at 300 dpi: scale 7.75, "８０問".
  const Figures a4{2472, 3410, 108, 78, 496, 78, 1085, 155, 108, 310, 46, 108, 93, 124};
  EXPECT_EQ(Draw(2480, 3508, CountingSheet(11)),
            Concat(HeaderLines(a4, "7"),
                   GridLines({178, 759, 1340, 1921},
                             {542,  682,  821,  960,  1100, 1240, 1379, 1518, 1658, 1798,
                              1937, 2076, 2216, 2356, 2495, 2634, 2774, 2914, 3053, 3192})));

  // Scale 14.875, "４０問".
  const Figures large{4745, 6545, 208, 149, 952, 149, 2082, 298, 208, 595, 89, 208, 178, 238};
  EXPECT_EQ(Draw(4760, 6814, CountingSheet(7)),
            Concat(HeaderLines(large, "7"),
                   GridLines({342, 1457, 2572, 3687},
                             {1041, 1577, 2112, 2647, 3183, 3719, 4254, 4789, 5325, 5861})));

  // Single precision: row 5 at pitch 40 lies at S(70) + S(160) = 1085 + 2481.
  const Figures single{4945, 6821, 217, 155, 992, 155, 2170, 310, 217, 620, 93, 217, 186, 248};
  EXPECT_EQ(Draw(4961, 7016, CountingSheet(0)),
            Concat(HeaderLines(single, "7"),
                   GridLines({357}, {1085, 1705, 2325, 2945, 3566, 4186, 4806, 5426, 6046})));

  // Landscape: the height sets the scale, the columns spread over the width.
  const Figures landscape{1794, 2474, 79, 56, 360, 56, 787, 112, 79, 225, 34, 79, 67, 90};
  EXPECT_EQ(Draw(3508, 2480, CountingSheet(6)),
            Concat(HeaderLines(landscape, "7"),
                   GridLines({129, 978, 1827, 2676},
                             {394, 619, 844, 1069, 1294, 1519, 1744, 1969, 2194})));
}

TEST(make_print_test, width_zero_or_below_draws_in_page_units) {
  // Scale 1; the column pitch still comes from the width as passed.
  EXPECT_EQ(Draw(0, 441, CountingSheet(3)),
            Concat(HeaderLines(kPreview, "7"), GridLines({23, 13}, Steps(70, 36, 10))));
  EXPECT_EQ(Draw(-100, -5, CountingSheet(6)),
            Concat(HeaderLines(kPreview, "7"), GridLines({23, -7, -37, -67}, Steps(70, 40, 9))));
  // The pitch of INT_MIN - 20 would overflow an int: (-2147483668) / 4.
  EXPECT_EQ(Draw(INT_MIN, 0, CountingSheet(7)),
            Concat(HeaderLines(kPreview, "7"),
                   GridLines({23, -536870894, -1073741811, -1610612728}, Steps(70, 36, 10))));
}

TEST(make_print_test, the_largest_page_keeps_every_position_within_int) {
  // Scale INT_MAX / 441: the far corner, the last column and the last row
  // come close to INT_MAX without passing it.
  const auto lines = Draw(INT_MAX, INT_MAX, CountingSheet(11));
  EXPECT_EQ(lines[3], "Rectangle 0 0 1553395222 2142614100");
  EXPECT_EQ(lines.back(), "TextOut 1649569354 2006265930 7×9");
}

TEST(make_print_test, answers_then_other_modes_reuse_the_texts) {
  const worksheet::Sheet sheet = CountingSheet(1);
  RecordingSurface surface;
  ProblemTextTable texts;
  MakePrint(surface, 320, 441, kAnswerSheet, {sheet, 3, {}}, texts);
  const auto answers = surface.TextLines();
  EXPECT_EQ(answers[4], "23 70 0×0＝0");
  EXPECT_EQ(answers.back(), "23 394 0×9＝0");

  // Mode 2 draws the header afresh and the texts of the drawing before.
  surface.Clear();
  MakePrint(surface, 320, 441, 2, {sheet, 4, {.rgSquare = 1, .rgNum = 1}}, texts);
  auto expected = answers;
  expected[1] = "64 10 問題No.4";
  EXPECT_EQ(surface.TextLines(), expected);
}

TEST(make_print_test, leaves_a_clear_brush_black_pen_and_question_font) {
  RecordingSurface surface;
  ProblemTextTable texts;
  const worksheet::Sheet sheet = CountingSheet(9);
  MakePrint(surface, 2480, 3508, kQuestionSheet, {sheet, 1, {}}, texts);

  std::string style, pen, face, height;
  int rectangles = 0;
  int textOuts = 0;
  for (const std::string& line : surface.Lines()) {
    if (line.starts_with("Brush.Style")) style = line;
    if (line.starts_with("Pen.Color")) pen = line;
    if (line.starts_with("Font.Name")) face = line;
    if (line.starts_with("Font.Height")) height = line;
    rectangles += line.starts_with("Rectangle") ? 1 : 0;
    textOuts += line.starts_with("TextOut") ? 1 : 0;
  }
  EXPECT_EQ(style, "Brush.Style bsClear");
  EXPECT_EQ(pen, "Pen.Color 000000");
  EXPECT_EQ(face, "Font.Name ＭＳ 明朝");
  EXPECT_EQ(height, "Font.Height 124");
  // Nothing but the background and the texts: four header lines and N questions.
  EXPECT_EQ(rectangles, 1);
  EXPECT_EQ(textOuts, 4 + 60);
}

}  // namespace
}  // namespace render
