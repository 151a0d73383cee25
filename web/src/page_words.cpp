#include "page_words.h"

#include "form/captions.h"

namespace web {

std::string_view PageWord(Word word) {
  switch (word) {
    case kProgramName:
      return KAKEMARU_NAME;
    case kHeading:
      return form::kHeading;
    case kTablesCaption:
      return form::kTablesCaption;
    case kTablesDescription:
      return form::kTablesDescription;
    case kNumberLabel:
      return form::kNumberLabel;
    case kNumberDescription:
      return form::kNumberDescription;
    case kPreviewButton:
      return form::kPreviewCaption;
    case kPreviewDescription:
      return form::kPreviewDescription;
    case kPrintButton:
      return form::kPrintCaption;
    case kPrintDescription:
      return form::kPrintDescription;
    case kPrintAnswersButton:
      return form::kPrintAnswersCaption;
    case kPrintAnswersDescription:
      return form::kPrintAnswersDescription;
    case kPreviewAreaName:
      return form::kPreviewAreaName;
    case kPreviewAreaDescription:
      return form::kPreviewAreaDescription;
    case kNoSheet:
      return form::kNoSheetYet;
    case kFirstLine:
      return form::kFirstLineNews;
    case kLastLine:
      return form::kLastLineNews;
    case kWarningTitle:
      return form::kWarningTitle;
    case kOk:
      return form::kOkCaption;
    case kTableDescriptionEnd:
      return form::kTableDescriptionEnd;
    case kErrorTitle:
      return KAKEMARU_TITLE;
    case kPaperLabel:
      return "用紙";
    case kPaperDescription:
      // Safari's print sheet neither follows the page's paper nor tells it.
      return "印刷する用紙の大きさです。印刷のダイアログでも同じ用紙を選んでください";
  }
  return {};
}

}  // namespace web
