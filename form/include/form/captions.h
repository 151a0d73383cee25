#pragma once

// The words of the controls and of the news, in UTF-8, for both front ends.
// The page texts themselves are the core's (code page 932).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "form/platform_text.h"

namespace form {

// One option group: its caption, its items and how many columns show them.
struct GroupCaptions {
  std::string_view name;  // the control's name: "QNumCheck", "rgSquare", ...
  std::string_view caption;
  std::span<const std::string_view> items;  // empty for QNumCheck: QuestionCountLabel
  int columns;
  std::string_view description;                // for assistive tools
  std::span<const std::string_view> meanings;  // per item, or empty
};

// "０の段" .. "９の段"
extern const std::array<std::string_view, 10> kTableLabels;
inline constexpr std::string_view kTablesCaption = "段";
inline constexpr std::string_view kTablesDescription = "練習する段を選びます";
// A table box's description is its label followed by this.
inline constexpr std::string_view kTableDescriptionEnd = "の問題をプリントに入れます";

// ImportantDan, QNumCheck, RandomCheck, JousuuCheck, rgSquare, rgMulti,
// rgNum, in that order.
enum GroupIndex {
  kImportantDanGroup,
  kQNumCheckGroup,
  kRandomCheckGroup,
  kJousuuCheckGroup,
  kRgSquareGroup,
  kRgMultiGroup,
  kRgNumGroup,
};
extern const std::array<GroupCaptions, 7> kGroups;

// QNumCheck's items: the question counts' labels, which the core keeps in
// code page 932 ("　９問" .. "４０問２列").
std::string QuestionCountLabel(const PlatformText& platform, int index);
// An item's description: what it means, where its label alone does not say
// it, then its place in its group ("14項目中2番目").
std::string ItemDescription(std::string_view meaning, int itemCount, int index);

inline constexpr std::string_view kNumberLabel = "ﾌﾟﾘﾝﾄ番号";
inline constexpr std::string_view kPreviewCaption = "ﾌﾟﾚﾋﾞｭｰ";
inline constexpr std::string_view kPrintCaption = "印刷";
inline constexpr std::string_view kPrintAnswersCaption = "印刷(答えつき)";
inline constexpr std::string_view kSetupCaption = "印刷の設定";
inline constexpr std::string_view kQuitCaption = "終了";
inline constexpr std::string_view kHeading = "九九の練習プリントを作ります";
inline constexpr std::string_view kWarningTitle = "警告";
inline constexpr std::string_view kOkCaption = "OK";  // the one button of each box

// What the other controls do, for assistive tools.
inline constexpr std::string_view kNumberDescription =
    "プリントに印刷する番号です。印刷するたびに一つ増えます";
inline constexpr std::string_view kPreviewDescription =
    "選んだ設定で問題を作り、プレビューに答えの用紙を表示します";
inline constexpr std::string_view kPrintDescription = "問題の用紙を印刷します";
inline constexpr std::string_view kPrintAnswersDescription =
    "問題の用紙と、続けて答えの用紙を印刷します";
inline constexpr std::string_view kSetupDescription = "プリンタと用紙を選びます";
inline constexpr std::string_view kQuitDescription = "プログラムを終わります";
inline constexpr std::string_view kPreviewFrameName = "プレビューの枠";
inline constexpr std::string_view kPreviewFrameDescription = "プレビューを囲む枠です";
inline constexpr std::string_view kPreviewAreaName = "プレビュー";
inline constexpr std::string_view kPreviewAreaDescription =
    "上下の矢印キーで、プリントを一行ずつ読みます";

// The preview's reading before the first sheet, and at its ends.
inline constexpr std::string_view kNoSheetYet = "まだプリントはありません";
inline constexpr std::string_view kFirstLineNews = "最初の行です";
inline constexpr std::string_view kLastLineNews = "最後の行です";

// The news a screen reader is told after each command or set-back, in the
// words shown; SpokenText gives what the screen reader is to say.
std::string MadeNews(std::string_view summary);  // "プリントを作りました。" + summary
// "問題No.7を印刷しました。次の番号は8です", or 答えつきで印刷しました
std::string PrintedNews(std::int32_t printed, bool withAnswers, std::int32_t next);
// "[ ]のパターンをなしに戻しました": the group set back to its first item.
std::string SetBackNews(GroupIndex group);

// The error box's text: a full stop follows a message whose last character
// sorts above "." (every message here ends in a Japanese character).
std::string WithFullStop(std::string_view message);

}  // namespace form
