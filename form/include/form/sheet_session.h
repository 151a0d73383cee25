#pragma once

// The current sheet and its number for the whole run, and the commands that
// change them: a preview makes a new sheet from the options, a print counts
// the number up. The front end reads the number box, shows the answers it
// gets and draws with MakePrint.

#include <cstdint>
#include <string>
#include <string_view>

#include "form/option_rules.h"
#include "render/make_print.h"
#include "render/problem_text_table.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet.h"

namespace form {

// What a command answers: done, or stopped with a message for the user.
struct CommandAnswer {
  enum Kind { kDone, kNotANumber, kRefused } kind = kDone;
  // kNotANumber: "'<text>' は整数ではありません" in UTF-8, for the error box.
  // kRefused: the generation's refusal in code page 932, for the 警告 box.
  std::string message;
};

class SheetSession {
 public:
  explicit SheetSession(worksheet::RandomSource random) : m_random(random) {}

  // PreviewBtnClick: reads the number box (UTF-8, as typed), makes a new
  // sheet from the options and marks that its first drawing shows the
  // answers; the first sheet made enables printing. On kNotANumber or
  // kRefused nothing has changed.
  CommandAnswer Preview(OptionState& options, std::string_view numberText);

  // The number a print would carry, read from the number box; kept as the
  // sheet's number when it reads.
  CommandAnswer ReadNumber(std::string_view numberText);
  // After a print whose sheets may have reached the printer: the next number,
  // as the number box shows it.
  std::string CountPrinted();

  // Draws the current sheet with the drawing options as they stand.
  void Draw(render::DrawingSurface& surface, int width, int height, int drawMode,
            const OptionState& options);
  // The DrawMode of the next preview drawing: the answers once after a
  // preview, the questions after that. Taking it clears the mark.
  int TakePreviewDrawMode();

  bool SheetExists() const { return m_sheetExists; }
  std::int32_t PrintNumber() const { return m_printNumber; }
  const worksheet::Sheet& CurrentSheet() const { return m_sheet; }

 private:
  worksheet::RandomSource m_random;
  worksheet::Sheet m_sheet;
  worksheet::Sheet m_scratch;
  std::int32_t m_printNumber = 1;
  bool m_sheetExists = false;
  bool m_answersNext = false;
  render::ProblemTextTable m_texts;
};

}  // namespace form
