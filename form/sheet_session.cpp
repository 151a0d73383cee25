#include "form/sheet_session.h"

#include <optional>
#include <utility>

#include "worksheet/make_problems.h"
#include "worksheet/print_number.h"
#include "worksheet/question_count.h"

namespace form {

namespace {

// The number box as typed: its text is UTF-8, whose bytes above ASCII are
// never part of a number, as code page 932's are not.
std::optional<std::int32_t> ReadNumberBox(std::string_view text, CommandAnswer& answer) {
  const std::optional<std::int32_t> number = worksheet::ReadPrintNumber(text);
  if (!number) {
    answer.kind = CommandAnswer::kNotANumber;
    answer.message = "'";
    answer.message += text;
    answer.message += "' は整数ではありません";
  }
  return number;
}

}  // namespace

CommandAnswer SheetSession::Preview(OptionState& options, std::string_view numberText) {
  CommandAnswer answer;
  const std::optional<std::int32_t> number = ReadNumberBox(numberText, answer);
  if (!number) return answer;
  const worksheet::WorksheetSettings settings = SheetSettings(options);
  const worksheet::GenerationResult result =
      worksheet::MakeProblems(settings, m_random, m_scratch.problems, m_scratch.blankSides);
  if (!result.made) {
    answer.kind = CommandAnswer::kRefused;
    answer.message = result.refusal;
    return answer;
  }
  m_scratch.count = worksheet::QuestionCount(settings.QNumCheck);
  m_scratch.countOption = settings.QNumCheck;
  std::swap(m_sheet, m_scratch);
  m_printNumber = *number;
  m_sheetExists = true;
  m_answersNext = true;
  options.PrintEnabled = true;
  return answer;
}

CommandAnswer SheetSession::ReadNumber(std::string_view numberText) {
  CommandAnswer answer;
  if (const auto number = ReadNumberBox(numberText, answer)) m_printNumber = *number;
  return answer;
}

std::string SheetSession::CountPrinted() {
  m_printNumber = worksheet::NextPrintNumber(m_printNumber);
  return std::to_string(m_printNumber);
}

void SheetSession::Draw(render::DrawingSurface& surface, int width, int height, int drawMode,
                        const OptionState& options) {
  render::MakePrint(
      surface, width, height, drawMode,
      {m_sheet,
       m_printNumber,
       {.rgSquare = options.rgSquare, .rgMulti = options.rgMulti, .rgNum = options.rgNum}},
      m_texts);
}

int SheetSession::TakePreviewDrawMode() {
  const int drawMode = m_answersNext ? render::kAnswerSheet : render::kQuestionSheet;
  m_answersNext = false;
  return drawMode;
}

}  // namespace form
