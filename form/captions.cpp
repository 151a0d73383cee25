#include "form/captions.h"

#include "worksheet/question_count.h"

namespace form {

namespace {

using Words = std::string_view;

constexpr std::array<Words, 3> kOrders{"昇順", "降順", "あり"};
constexpr std::array<Words, 3> kOrderMeanings{"順番に並べます", "逆の順番に並べます",
                                              "ばらばらに並べます"};
constexpr std::array<Words, 2> kZeroChoices{"入れない", "入れる"};
constexpr std::array<Words, 4> kBoxPatterns{"なし", "[ ]×", "×[ ]", "混合"};
constexpr std::array<Words, 4> kBoxPatternMeanings{"四角を置きません", "かけられる数を四角にします",
                                                   "かける数を四角にします",
                                                   "問題ごとにどちらかを四角にします"};
constexpr std::array<Words, 3> kScales{"なし", "×10", "×100"};
constexpr std::array<Words, 3> kScaleMeanings{
    "かけられる数はそのままです", "かけられる数を10倍にします", "かけられる数を100倍にします"};
constexpr std::array<Words, 2> kNumberings{"なし", "あり"};
constexpr std::array<Words, 2> kNumberingMeanings{"番号を付けません", "番号を付けます"};

}  // namespace

const std::array<std::string_view, 10> kTableLabels{"０の段", "１の段", "２の段", "３の段",
                                                    "４の段", "５の段", "６の段", "７の段",
                                                    "８の段", "９の段"};

const std::array<GroupCaptions, 7> kGroups{{
    {"ImportantDan",
     "重点的にしたい段",
     kTableLabels,
     2,
     "重点的に出す段を選びます。選んだ段には印が付きます",
     {}},
    {"QNumCheck", "問題数", {}, 1, "一枚のプリントの問題の数を選びます", {}},
    {"RandomCheck", "ﾗﾝﾀﾞﾑ指定", kOrders, 3, "問題の並べ方を選びます", kOrderMeanings},
    {"JousuuCheck", "乗数に０を", kZeroChoices, 1, "かける数に０を入れるかどうかを選びます", {}},
    {"rgSquare", "[ ]のパターン", kBoxPatterns, 4,
     "答えを書く四角をどちらの数の代わりに置くかを選びます", kBoxPatternMeanings},
    {"rgMulti", "何十、何百の指定", kScales, 3, "かけられる数を10倍または100倍にします",
     kScaleMeanings},
    {"rgNum", "問題番号", kNumberings, 2, "問題に丸数字の番号を付けるかどうかを選びます",
     kNumberingMeanings},
}};

std::string QuestionCountLabel(const PlatformText& platform, int index) {
  if (!worksheet::IsQuestionCountIndex(index)) return {};
  return platform.Utf8FromCp932(
      worksheet::kQuestionCountOptions[static_cast<std::size_t>(index)].label);
}

std::string ItemDescription(std::string_view meaning, int itemCount, int index) {
  std::string description(meaning);
  if (!description.empty()) description += "。";
  return description + std::to_string(itemCount) + "項目中" + std::to_string(index + 1) + "番目";
}

std::string MadeNews(std::string_view summary) {
  return "プリントを作りました。" + std::string(summary);
}

std::string PrintedNews(std::int32_t printed, bool withAnswers, std::int32_t next) {
  return "問題No." + std::to_string(printed) +
         (withAnswers ? "を答えつきで印刷しました。次の番号は" : "を印刷しました。次の番号は") +
         std::to_string(next) + "です";
}

std::string SetBackNews(GroupIndex group) {
  const GroupCaptions& words = kGroups[static_cast<std::size_t>(group)];
  return std::string(words.caption) + "を" + std::string(words.items.front()) + "に戻しました";
}

std::string WithFullStop(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace form
