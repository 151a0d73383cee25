#pragma once

// The words the page's script shows, by number: the window's, the title of
// the error box, and the paper choice, which the window leaves to its
// printer setup.

#include <string_view>

namespace web {

enum Word : int {
  kProgramName,  // the page's title
  kHeading,
  kTablesCaption,
  kTablesDescription,
  kNumberLabel,
  kNumberDescription,
  kPreviewButton,
  kPreviewDescription,
  kPrintButton,
  kPrintDescription,
  kPrintAnswersButton,
  kPrintAnswersDescription,
  kPreviewAreaName,
  kPreviewAreaDescription,
  kNoSheet,
  kFirstLine,
  kLastLine,
  kWarningTitle,
  kOk,
  kTableDescriptionEnd,
  kErrorTitle,  // the error box's title, as the window's
  kPaperLabel,
  kPaperDescription,
};

std::string_view PageWord(Word word);

}  // namespace web
