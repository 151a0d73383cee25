// The installed Japanese families as fontconfig lists them, with every name
// of each family.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

#include "japanese_families.h"

namespace {

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
