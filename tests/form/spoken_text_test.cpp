#include <gtest/gtest.h>

#include <string>

#include "cp932.h"
#include "form/sheet_reading.h"
#include "render/make_print.h"
#include "sample_sheet.h"

namespace form {
namespace {

class IconvDecoder final : public TextDecoder {
 public:
  std::string Utf8FromCp932(std::string_view bytes) const override {
    return test_support::Utf8FromCp932(bytes);
  }
};

// As the window's texts, the page's and a typed number read out.
TEST(spoken_text_test, shown_as_spoken) {
  const struct {
    const char* shown;
    const char* spoken;
  } cases[] = {
      {"３６問２列", "36問2列"},
      {"　９問", "9問"},
      {"ﾌﾟﾚﾋﾞｭｰ", "プレビュー"},
      {"ﾗﾝﾀﾞﾑ指定", "ランダム指定"},
      {"ｳﾞｶﾞﾊﾟﾜﾞｱﾞ", "ヴガパヷア\u3099"},
      {"[ ]のパターン", "四角のパターン"},
      {"[ ]×", "四角かける"},
      {"×10", "かける10"},
      {"3×4＝12", "3かける4は12"},
      {"３×４＝１２", "3かける4は12"},
      {"[ ]×３＝１２", "四角かける3は12"},
      {"［　］×３", "四角かける3"},
      {"①", "1番、"},
      {"⑳3×[ ]＝12", "20番、3かける四角は12"},
      {"何十、何百の指定", "何十、何百の指定"},
      {"答えの用紙（9問、問題No.7）", "答えの用紙(9問、問題No.7)"},
      {"　ａ　 \t　ｂ　", "a b"},
      {"'１２' は整数ではありません", "'12' は整数ではありません"},
      {"（　　　）", "( )"},
      {"", ""},
  };
  for (const auto& each : cases) EXPECT_EQ(SpokenText(each.shown), each.spoken) << each.shown;
}

// The header, then the questions column by column, each where it is drawn.
TEST(spoken_text_test, sheet_reads_in_drawing_order) {
  const IconvDecoder decoder;
  const worksheet::Sheet sheet = test_support::SampleSheet(3, 7);  // 20 questions
  render::ProblemTextTable texts;
  SheetReading reading(decoder);
  render::MakePrint(reading, 320, 441, render::kAnswerSheet, {sheet, 7, {.rgNum = 1}}, texts);
  const std::vector<ReadingLine>& lines = reading.Lines();
  ASSERT_EQ(lines.size(), 4u + 20u);
  EXPECT_EQ(lines[0].spoken, "かけざん九九");
  EXPECT_EQ(lines[1].spoken, "問題No.7");
  EXPECT_EQ(lines[2].spoken, "名前を書く欄");
  EXPECT_EQ(lines[3].spoken, "けいさんしましょう");
  EXPECT_EQ(lines[1].width, 2 * lines[1].height + 4 * (lines[1].height / 2));
  EXPECT_EQ(lines[4].spoken.rfind("1番、", 0), 0u);
  EXPECT_EQ(lines[14].spoken.rfind("1番、", 0), 0u);
  EXPECT_EQ(lines[14].y, lines[4].y);
  EXPECT_GT(lines[14].x, lines[4].x + lines[4].width);
  EXPECT_EQ(SheetSummary(decoder, 3, 7), "答えの用紙（20問、問題No.7）");
}

}  // namespace
}  // namespace form
