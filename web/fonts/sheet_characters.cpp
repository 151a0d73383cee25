// Prints every code page 932 character a sheet can show, one a line as hex
// bytes ("82a9"), in byte order. It draws, through a surface that keeps the
// characters of every text, the question and answer sheets of every count
// option, with every question, blank-box side, blank-box pattern,
// tens/hundreds choice and numbering, the header with numbers of every digit
// and sign, and takes the generation's refusal message. The page's fonts are
// subset to these characters and its tests check the browser's decoder on
// them, so the list comes from the core rather than from a hand list.

#include <cstdint>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <string_view>

#include "render/cp932_character.h"
#include "render/make_print.h"
#include "render/page_scale.h"
#include "worksheet/make_problems.h"
#include "worksheet/question_count.h"

namespace {

class CharacterSet final : public render::DrawingSurface {
 public:
  void SetBrushStyle(render::BrushStyle) override {}
  void SetBrushColor(render::Color) override {}
  void SetPenColor(render::Color) override {}
  void Rectangle(int, int, int, int) override {}
  void SetFontName(std::string_view) override {}
  void SetFontHeight(int) override {}
  void TextOut(int, int, std::string_view text) override { Add(text); }

  void Add(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
      const std::string_view character = render::CharacterAt(text, i);
      m_characters.insert(std::string(character));
      i += character.size();
    }
  }

  void Print() const {
    for (const std::string& character : m_characters) {
      for (const char byte : character) std::printf("%02x", static_cast<unsigned char>(byte));
      std::printf("\n");
    }
  }

 private:
  std::set<std::string> m_characters;
};

// Both sheets of `sheet` in every drawing option.
void DrawAllForms(CharacterSet& characters, const worksheet::Sheet& sheet,
                  std::int32_t printNumber) {
  render::ProblemTextTable texts;
  for (const int drawMode : {render::kQuestionSheet, render::kAnswerSheet}) {
    for (std::int32_t square = 0; square <= worksheet::kBlankMixed; ++square) {
      for (std::int32_t multi = 0; multi <= worksheet::kTableTimesHundred; ++multi) {
        for (std::int32_t num = 0; num <= worksheet::kNumbered; ++num) {
          const render::PageContent content{sheet, printNumber, {square, multi, num}};
          render::MakePrint(characters, render::kPageWidth, render::kPageHeight, drawMode, content,
                            texts);
        }
      }
    }
  }
}

}  // namespace

int main() {
  CharacterSet characters;

  // Every question code on both blank-box sides, in the sheets of every
  // count option (whose numbering runs to its own cycle).
  for (int option = 0; option < worksheet::kQuestionCountOptionCount; ++option) {
    worksheet::Sheet sheet;
    sheet.countOption = option;
    sheet.count = worksheet::QuestionCount(option);
    for (int first = 0; first < 100; first += sheet.count) {
      for (const std::int32_t side : {0, 1}) {
        for (int slot = 1; slot <= sheet.count; ++slot) {
          sheet.problems[slot] = (first + slot - 1) % 100;
          sheet.blankSides[slot] = side;
        }
        DrawAllForms(characters, sheet, 1);
      }
    }
  }

  // The header with every digit and the sign.
  worksheet::Sheet nine;
  nine.count = worksheet::QuestionCount(0);
  for (const std::int32_t number : {std::numeric_limits<std::int32_t>::min(), -1, 0, 123456789,
                                    std::numeric_limits<std::int32_t>::max()}) {
    render::ProblemTextTable texts;
    render::MakePrint(characters, render::kPageWidth, render::kPageHeight, render::kQuestionSheet,
                      {nine, number, {}}, texts);
  }

  // The refusal, as the generation gives it: one table cannot fill 80.
  worksheet::WorksheetSettings settings;
  settings.TableMask.Set(3);
  settings.QNumCheck = 11;
  worksheet::RandomSource random(0);
  worksheet::Sheet scratch;
  characters.Add(
      worksheet::MakeProblems(settings, random, scratch.problems, scratch.blankSides).refusal);

  characters.Print();
  return 0;
}
