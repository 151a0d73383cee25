#pragma once

// The words of the controls and of the news, in UTF-8, for both front ends.
// The page texts themselves are the core's (code page 932).

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace form {

// One option group: its caption, its items and how many columns show them.
struct GroupCaptions {
  std::string_view name;  // the control's name: "QNumCheck", "rgSquare", ...
  std::string_view caption;
  std::span<const std::string_view> items;
  int columns;
  std::string_view description;               // for assistive tools
  std::span<const std::string_view> meanings;  // per item, or empty
};

// "０の段" .. "９の段"
extern const std::array<std::string_view, 10> kTableLabels;
inline constexpr std::string_view kTablesCaption = "段";

// ImportantDan, QNumCheck, RandomCheck, JousuuCheck, rgSquare, rgMulti,
// rgNum, in that order.
extern const std::array<GroupCaptions, 7> kGroups;

inline constexpr std::string_view kNumberLabel = "ﾌﾟﾘﾝﾄ番号";
inline constexpr std::string_view kPreviewCaption = "ﾌﾟﾚﾋﾞｭｰ";
inline constexpr std::string_view kPrintCaption = "印刷";
inline constexpr std::string_view kPrintAnswersCaption = "印刷(答えつき)";
inline constexpr std::string_view kSetupCaption = "印刷の設定";
inline constexpr std::string_view kQuitCaption = "終了";
inline constexpr std::string_view kHeading = "九九の練習プリントを作ります";
inline constexpr std::string_view kWarningTitle = "警告";

// The news a screen reader is told after each command or set-back.
std::string MadeNews(std::string_view summary);  // "プリントを作りました。" + summary
std::string PrintedNews(std::int32_t printed, bool withAnswers, std::int32_t next);
std::string SetBackNews(std::string_view groupCaption, std::string_view itemCaption);

}  // namespace form
