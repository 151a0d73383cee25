// The page's script talks to the core through these functions only. They
// hold what the window holds: the options and their rules (form::OptionState),
// the current sheet and its number (form::SheetSession), the sheet's reading
// for screen readers, and the last drawing, recorded for the script to draw.
// Texts go out as UTF-8, NUL-terminated, valid until the next call; the
// number box's text comes in as UTF-8.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "browser_text.h"
#include "form/captions.h"
#include "form/option_rules.h"
#include "form/sheet_reading.h"
#include "form/sheet_session.h"
#include "page_words.h"
#include "papers.h"
#include "recorded_page.h"
#include "render/page_scale.h"
#include "worksheet/question_count.h"
#include "worksheet/random_source.h"

namespace {

constexpr int kImportantDan = form::kImportantDanGroup;
constexpr int kQNumCheck = form::kQNumCheckGroup;
constexpr int kRandomCheck = form::kRandomCheckGroup;
constexpr int kJousuuCheck = form::kJousuuCheckGroup;
constexpr int kRgSquare = form::kRgSquareGroup;
constexpr int kRgMulti = form::kRgMultiGroup;
constexpr int kRgNum = form::kRgNumGroup;

struct Page {
  explicit Page(std::uint32_t seed) : session(worksheet::RandomSource(seed)) {}

  web::BrowserText text;
  form::OptionState options;
  form::SheetSession session;
  std::optional<form::SheetReading> reading;
  std::string summary;
  std::string news;
  std::string message;
  std::string out;  // the text a call answers
  web::RecordedPage recorded;
};

std::optional<Page> page;

const char* Out(std::string_view text) {
  page->out = text;
  return page->out.c_str();
}

std::int32_t* Value(int group) {
  form::OptionState& options = page->options;
  switch (group) {
    case kImportantDan:
      return &options.ImportantDan;
    case kQNumCheck:
      return &options.QNumCheck;
    case kRandomCheck:
      return &options.RandomCheck;
    case kJousuuCheck:
      return &options.JousuuCheck;
    case kRgSquare:
      return &options.rgSquare;
    case kRgMulti:
      return &options.rgMulti;
    case kRgNum:
      return &options.rgNum;
    default:
      return nullptr;
  }
}

int ItemCount(int group) {
  if (group == kQNumCheck) return worksheet::kQuestionCountOptionCount;
  if (group < 0 || group >= static_cast<int>(form::kGroups.size())) return 0;
  return static_cast<int>(form::kGroups[static_cast<std::size_t>(group)].items.size());
}

// The item's label: the question counts are the core's own labels.
std::string ItemLabel(int group, int item) {
  if (item < 0 || item >= ItemCount(group)) return {};
  if (group == kQNumCheck) return form::QuestionCountLabel(page->text, item);
  return std::string(
      form::kGroups[static_cast<std::size_t>(group)].items[static_cast<std::size_t>(item)]);
}

// The reading is made anew whenever the sheet, its number or its form
// changes: the answer sheet as the preview area would show it.
void ReadSheet() {
  if (!page->session.SheetExists()) return;
  page->reading.emplace(page->text);
  page->session.Draw(*page->reading, render::kPageWidth, render::kPageHeight, render::kAnswerSheet,
                     page->options);
  page->summary = form::SheetSummary(page->text, page->session.CurrentSheet().countOption,
                                     page->session.PrintNumber());
}

// A group set back by the other one of the pair is told to screen readers.
void TellSetBack(unsigned changed) {
  if ((changed & form::kBlankBoxSetBack) != 0) page->news = form::SetBackNews(form::kRgSquareGroup);
  if ((changed & form::kFactorScaleSetBack) != 0)
    page->news = form::SetBackNews(form::kRgMultiGroup);
}

int Answer(const form::CommandAnswer& answer) {
  switch (answer.kind) {
    case form::CommandAnswer::kNotANumber:
      page->message = form::WithFullStop(answer.message);
      break;
    case form::CommandAnswer::kRefused:
      page->message = page->text.Utf8FromCp932(answer.message);
      break;
    case form::CommandAnswer::kDone:
      page->message.clear();
      break;
  }
  return answer.kind;
}

}  // namespace

extern "C" {

// The seed: milliseconds since midnight UTC, as the window takes it.
EMSCRIPTEN_KEEPALIVE void kk_start(std::uint32_t seed) {
  page.emplace(seed);
}

// --- The words of the page ---

EMSCRIPTEN_KEEPALIVE const char* kk_word(int which) {
  return Out(web::PageWord(static_cast<web::Word>(which)));
}
EMSCRIPTEN_KEEPALIVE const char* kk_table_label(int table) {
  if (table < 0 || table >= static_cast<int>(form::kTableLabels.size())) return Out("");
  return Out(form::kTableLabels[static_cast<std::size_t>(table)]);
}
EMSCRIPTEN_KEEPALIVE int kk_group_count() {
  return static_cast<int>(form::kGroups.size());
}
EMSCRIPTEN_KEEPALIVE const char* kk_group_name(int group) {
  if (ItemCount(group) == 0) return Out("");
  return Out(form::kGroups[static_cast<std::size_t>(group)].name);
}
EMSCRIPTEN_KEEPALIVE const char* kk_group_caption(int group) {
  if (ItemCount(group) == 0) return Out("");
  return Out(form::kGroups[static_cast<std::size_t>(group)].caption);
}
EMSCRIPTEN_KEEPALIVE const char* kk_group_description(int group) {
  if (ItemCount(group) == 0) return Out("");
  return Out(form::kGroups[static_cast<std::size_t>(group)].description);
}
EMSCRIPTEN_KEEPALIVE int kk_group_columns(int group) {
  if (ItemCount(group) == 0) return 1;
  return form::kGroups[static_cast<std::size_t>(group)].columns;
}
EMSCRIPTEN_KEEPALIVE int kk_group_item_count(int group) {
  return ItemCount(group);
}
EMSCRIPTEN_KEEPALIVE const char* kk_group_item(int group, int item) {
  return Out(ItemLabel(group, item));
}
// The item's description: what it does, then its place in its group.
EMSCRIPTEN_KEEPALIVE const char* kk_group_item_description(int group, int item) {
  if (item < 0 || item >= ItemCount(group)) return Out("");
  const auto& meanings = form::kGroups[static_cast<std::size_t>(group)].meanings;
  const auto index = static_cast<std::size_t>(item);
  return Out(form::ItemDescription(index < meanings.size() ? meanings[index] : "", ItemCount(group),
                                   item));
}

// --- The papers: name, label, and size in hundredths of a millimetre ---

EMSCRIPTEN_KEEPALIVE int kk_paper_count() {
  return static_cast<int>(web::kPapers.size());
}
EMSCRIPTEN_KEEPALIVE int kk_default_paper(int inUs) {
  return inUs != 0 ? web::kUsDefaultPaper : web::kDefaultPaper;
}
EMSCRIPTEN_KEEPALIVE const char* kk_paper_name(int paper) {
  if (paper < 0 || paper >= kk_paper_count()) return Out("");
  return Out(web::kPapers[static_cast<std::size_t>(paper)].name);
}
EMSCRIPTEN_KEEPALIVE const char* kk_paper_label(int paper) {
  if (paper < 0 || paper >= kk_paper_count()) return Out("");
  return Out(web::kPapers[static_cast<std::size_t>(paper)].label);
}
EMSCRIPTEN_KEEPALIVE int kk_paper_width(int paper) {
  if (paper < 0 || paper >= kk_paper_count()) return 0;
  return web::kPapers[static_cast<std::size_t>(paper)].width;
}
EMSCRIPTEN_KEEPALIVE int kk_paper_height(int paper) {
  if (paper < 0 || paper >= kk_paper_count()) return 0;
  return web::kPapers[static_cast<std::size_t>(paper)].height;
}

// --- The options and their rules ---

EMSCRIPTEN_KEEPALIVE int kk_value(int group) {
  const std::int32_t* value = Value(group);
  return value != nullptr ? *value : -1;
}
EMSCRIPTEN_KEEPALIVE int kk_tables() {
  return static_cast<int>(page->options.tables.Bits());
}
// 0 QNumCheck, 1 JousuuCheck, 2 PreviewBtn, 3 PrintBtn and PrintAnsBtn.
EMSCRIPTEN_KEEPALIVE int kk_enabled(int which) {
  const form::OptionState& options = page->options;
  switch (which) {
    case 0:
      return options.QNumCheckEnabled;
    case 1:
      return options.JousuuCheckEnabled;
    case 2:
      return options.PreviewEnabled;
    case 3:
      return options.PrintEnabled;
    default:
      return 0;
  }
}

// Each action answers form::Changed bits; its news, if any, is kk_news().
EMSCRIPTEN_KEEPALIVE unsigned kk_tick(int table, int ticked) {
  page->news.clear();
  return form::DanClick(page->options, table, ticked != 0);
}

// An item chosen by the user; choosing the chosen item runs nothing.
EMSCRIPTEN_KEEPALIVE unsigned kk_choose(int group, int item) {
  page->news.clear();
  std::int32_t* value = Value(group);
  if (value == nullptr || item < 0 || item >= ItemCount(group) || *value == item) {
    return form::kNothingChanged;
  }
  switch (group) {
    case kImportantDan:
      return form::ImportantDanClick(page->options, item);
    case kQNumCheck:
      return form::QNumCheckClick(page->options, item);
    default:
      break;
  }
  *value = item;
  // The sheet reads as it would print: in the form these options give it.
  if (group == kRgSquare || group == kRgMulti || group == kRgNum) ReadSheet();
  return form::kNothingChanged;
}

// The user entered rgSquare or rgMulti by a click or a choice in it.
EMSCRIPTEN_KEEPALIVE unsigned kk_enter(int group) {
  page->news.clear();
  unsigned changed = form::kNothingChanged;
  if (group == kRgSquare) changed = form::rgSquareEnter(page->options);
  if (group == kRgMulti) changed = form::rgMultiEnter(page->options);
  if (changed != form::kNothingChanged) ReadSheet();
  TellSetBack(changed);
  return changed;
}

// The news in the words a screen reader is to say, as the window tells it.
EMSCRIPTEN_KEEPALIVE const char* kk_news() {
  return Out(form::SpokenText(page->text, page->news));
}

// --- The commands ---

// PreviewBtnClick: form::CommandAnswer::Kind; the box's text is kk_message().
// The next drawing of the preview then shows the answers.
EMSCRIPTEN_KEEPALIVE int kk_preview(const char* numberText) {
  page->news.clear();
  const int kind = Answer(page->session.Preview(page->options, numberText));
  if (kind == form::CommandAnswer::kDone) {
    ReadSheet();
    page->news = form::MadeNews(page->summary);
  }
  return kind;
}

// The number box read before a print; the sheet keeps the number.
EMSCRIPTEN_KEEPALIVE int kk_read_number(const char* numberText) {
  page->news.clear();
  const int kind = Answer(page->session.ReadNumber(numberText));
  if (kind == form::CommandAnswer::kDone) ReadSheet();
  return kind;
}

EMSCRIPTEN_KEEPALIVE const char* kk_message() {
  return Out(page->message);
}

// After the print dialog closed: the next number, for the number box.
EMSCRIPTEN_KEEPALIVE const char* kk_count_printed(int withAnswers) {
  const std::int32_t printed = page->session.PrintNumber();
  const std::string next = page->session.CountPrinted();
  ReadSheet();
  page->news = form::PrintedNews(printed, withAnswers != 0, page->session.PrintNumber());
  return Out(next);
}

EMSCRIPTEN_KEEPALIVE int kk_sheet_exists() {
  return page->session.SheetExists();
}

// --- Drawing ---

// The DrawMode of the preview's next drawing: the answers once after a preview.
EMSCRIPTEN_KEEPALIVE int kk_preview_draw_mode() {
  return page->session.TakePreviewDrawMode();
}

// Records MakePrint's drawing of the current sheet on a width × height
// surface; answers the number of words, read through kk_words and kk_texts.
EMSCRIPTEN_KEEPALIVE int kk_draw(int width, int height, int drawMode) {
  page->recorded.Clear();
  if (page->session.SheetExists()) {
    page->session.Draw(page->recorded, width, height, drawMode, page->options);
  }
  return page->recorded.WordCount();
}
EMSCRIPTEN_KEEPALIVE const std::int32_t* kk_words() {
  return page->recorded.Words();
}
EMSCRIPTEN_KEEPALIVE const char* kk_texts() {
  return page->recorded.Texts();
}

// --- The sheet read line by line: the summary, then the lines ---

EMSCRIPTEN_KEEPALIVE int kk_reading_page_step() {
  return form::kReadingPageStep;
}
EMSCRIPTEN_KEEPALIVE int kk_reading_count() {
  if (!page->reading) return 0;
  return 1 + static_cast<int>(page->reading->Lines().size());
}
EMSCRIPTEN_KEEPALIVE const char* kk_reading_line(int index) {
  if (index <= 0 || !page->reading) return Out(page->summary);
  const auto& lines = page->reading->Lines();
  if (index > static_cast<int>(lines.size())) return Out("");
  return Out(lines[static_cast<std::size_t>(index - 1)].spoken);
}
// The box the line stands in, in the preview's pixels: 0 x, 1 y, 2 width, 3 height.
EMSCRIPTEN_KEEPALIVE int kk_reading_box(int index, int which) {
  if (index <= 0 || !page->reading) return 0;
  const auto& lines = page->reading->Lines();
  if (index > static_cast<int>(lines.size())) return 0;
  const form::ReadingLine& line = lines[static_cast<std::size_t>(index - 1)];
  const int box[] = {line.x, line.y, line.width, line.height};
  return which >= 0 && which < 4 ? box[which] : 0;
}

}  // extern "C"
