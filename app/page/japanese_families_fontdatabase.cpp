// The installed Japanese families as Qt's font database lists them, for
// systems without fontconfig (Windows).
#include <QFontDatabase>

#include "japanese_families.h"

namespace {

// Qt lists a family under one name, the Japanese one in a Japanese locale of
// Windows: each family of Windows with its other name, the Latin one first.
constexpr const char16_t* kWindowsNames[][2] = {{u"MS Gothic", u"ＭＳ ゴシック"},
                                                {u"MS Mincho", u"ＭＳ 明朝"},
                                                {u"MS PGothic", u"ＭＳ Ｐゴシック"},
                                                {u"MS PMincho", u"ＭＳ Ｐ明朝"},
                                                {u"BIZ UDGothic", u"BIZ UDゴシック"},
                                                {u"BIZ UDMincho", u"BIZ UD明朝"},
                                                {u"Yu Gothic", u"游ゴシック"},
                                                {u"Yu Mincho", u"游明朝"},
                                                {u"Meiryo", u"メイリオ"}};

QStringList NamesOf(const QString& family) {
  for (const auto& names : kWindowsNames) {
    const QString latin = QString::fromUtf16(names[0]);
    const QString japanese = QString::fromUtf16(names[1]);
    if (family.compare(latin, Qt::CaseInsensitive) == 0 || family == japanese) {
      return {latin, japanese};
    }
  }
  return {family};
}

}  // namespace

std::vector<JapaneseFamily> InstalledJapaneseFamilies() {
  std::vector<JapaneseFamily> families;
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    // "@ＭＳ ゴシック" and the like are the same faces set for vertical text.
    if (family.startsWith(u'@')) continue;
    families.push_back({NamesOf(family), QFontDatabase::isFixedPitch(family)});
  }
  return families;
}
