#include "japanese_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <span>
#include <tuple>

namespace {

struct KnownFace {
  const char* name;
  bool fixedPitch;
};

// Nearest to the Windows faces first. IPAex sets kana and kanji at one width
// like the others; fontconfig calls it proportional for its Latin letters.
constexpr KnownFace kGothicFaces[] = {{"IPAGothic", true},
                                      {"Noto Sans Mono CJK JP", true},
                                      {"IPAexGothic", true},
                                      {"IPAPGothic", false},
                                      {"Noto Sans CJK JP", false}};
constexpr KnownFace kMinchoFaces[] = {{"IPAMincho", true},
                                      {"IPAexMincho", true},
                                      {"IPAPMincho", false},
                                      {"Noto Serif CJK JP", false}};

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

struct FcRelease {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
  void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
  void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};
template <typename T>
using FcHandle = std::unique_ptr<T, FcRelease>;

QString FcString(FcPattern* font, const char* object, int index) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, object, index, &value) != FcResultMatch) return {};
  return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

}  // namespace

std::vector<JapaneseFamily> InstalledJapaneseFamilies() {
  const FcHandle<FcPattern> pattern(
      FcNameParse(reinterpret_cast<const FcChar8*>(":lang=ja:outline=true")));
  const FcHandle<FcObjectSet> objects(
      FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_SPACING, static_cast<char*>(nullptr)));
  if (!pattern || !objects) return {};
  const FcHandle<FcFontSet> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
  if (!fonts) return {};

  std::vector<JapaneseFamily> families;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcPattern* font = fonts->fonts[i];
    // fontconfig puts the locale's language first: keep English first instead,
    // so that the answer is the same in every locale.
    QStringList names;
    for (int k = 0;; ++k) {
      const QString name = FcString(font, FC_FAMILY, k);
      if (name.isEmpty()) break;
      if (FcString(font, FC_FAMILYLANG, k) == QLatin1String("en")) {
        names.prepend(name);
      } else {
        names.append(name);
      }
    }
    if (names.isEmpty()) continue;
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    const bool fixedPitch = spacing >= FC_DUAL;

    // One entry per family: fixed only when every style of it is.
    const auto same = std::find_if(families.begin(), families.end(), [&](const JapaneseFamily& f) {
      return f.names.first() == names.first();
    });
    if (same == families.end()) {
      families.push_back({names, fixedPitch});
    } else {
      for (const QString& name : names) {
        if (!same->names.contains(name)) same->names.append(name);
      }
      same->fixedPitch = same->fixedPitch && fixedPitch;
    }
  }
  return families;
}

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
