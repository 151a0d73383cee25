#include "japanese_families.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <tuple>

namespace {

struct KnownFace {
  const char* name;
  bool fixedPitch;
};

// Nearest to the Windows faces first: those of Windows itself, then those of
// Linux desktops, then the proportional faces Windows has when the Japanese
// supplemental fonts are not installed. IPAex sets kana and kanji at one width
// like the others; fontconfig calls it proportional for its Latin letters.
constexpr KnownFace kGothicFaces[] = {{"MS Gothic", true},    {"BIZ UDGothic", true},
                                      {"IPAGothic", true},    {"Noto Sans Mono CJK JP", true},
                                      {"IPAexGothic", true},  {"MS PGothic", false},
                                      {"IPAPGothic", false},  {"Noto Sans CJK JP", false},
                                      {"Yu Gothic", false},   {"Meiryo", false},
                                      {"MS UI Gothic", false}};
constexpr KnownFace kMinchoFaces[] = {{"MS Mincho", true},          {"BIZ UDMincho", true},
                                      {"IPAMincho", true},          {"IPAexMincho", true},
                                      {"MS PMincho", false},        {"IPAPMincho", false},
                                      {"Noto Serif CJK JP", false}, {"Yu Mincho", false}};

bool IsMinchoName(const QString& name) {
  return name.contains(QStringLiteral("明朝")) ||
         name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
         name.contains(QStringLiteral("Serif"), Qt::CaseInsensitive);
}

bool IsMincho(const JapaneseFamily& family) {
  return std::any_of(family.names.begin(), family.names.end(), IsMinchoName);
}

bool HasName(const JapaneseFamily& family, const QString& name) {
  return std::any_of(family.names.begin(), family.names.end(), [&](const QString& own) {
    return own.compare(name, Qt::CaseInsensitive) == 0;
  });
}

// Position among the known faces of the family's kind; past them all when unknown.
std::ptrdiff_t KnownRank(const JapaneseFamily& family, std::span<const KnownFace> known) {
  const auto found = std::find_if(known.begin(), known.end(), [&](const KnownFace& face) {
    return HasName(family, QString::fromLatin1(face.name));
  });
  return std::distance(known.begin(), found);
}

}  // namespace

QString NearestJapaneseFamily(const QString& faceName,
                              const std::vector<JapaneseFamily>& installed) {
  const auto named = std::find_if(installed.begin(), installed.end(),
                                  [&](const JapaneseFamily& f) { return HasName(f, faceName); });
  if (named != installed.end()) return named->names.first();

  const bool mincho = IsMinchoName(faceName);
  const auto rank = [mincho](const JapaneseFamily& family) {
    const bool familyMincho = IsMincho(family);
    const std::span<const KnownFace> known =
        familyMincho ? std::span<const KnownFace>(kMinchoFaces) : kGothicFaces;
    const std::ptrdiff_t knownRank = KnownRank(family, known);
    const bool fixed = family.fixedPitch || (knownRank < std::ssize(known) &&
                                             known[static_cast<size_t>(knownRank)].fixedPitch);
    return std::make_tuple(!fixed, familyMincho != mincho, knownRank, family.names.first());
  };
  const auto nearest = std::min_element(
      installed.begin(), installed.end(),
      [&](const JapaneseFamily& a, const JapaneseFamily& b) { return rank(a) < rank(b); });
  return nearest == installed.end() ? faceName : nearest->names.first();
}
