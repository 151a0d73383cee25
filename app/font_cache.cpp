#include "font_cache.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const QString kGothic = QStringLiteral("ＭＳ ゴシック");
const QString kMincho = QStringLiteral("ＭＳ 明朝");

bool IsMinchoName(const QString& name) {
  return name.contains(QStringLiteral("明朝")) || name.contains(QStringLiteral("Mincho")) ||
         name.contains(QStringLiteral("Serif"));
}

// Among the installed Japanese families, one of the same kind (Mincho or
// Gothic) as the name asks for, else any.
QString JapaneseFamilyLike(const QString& faceName, const QStringList& japanese) {
  const bool mincho = IsMinchoName(faceName);
  const auto sameKind = std::find_if(japanese.begin(), japanese.end(), [mincho](const QString& f) {
    return IsMinchoName(f) == mincho;
  });
  if (sameKind != japanese.end()) return *sameKind;
  return japanese.isEmpty() ? QString() : japanese.first();
}

}  // namespace

FontCache::FontCache() {
  // fontconfig knows no aliases for these names; without them it would pick
  // a Latin face. IPA fonts first, as Debian ships them; Noto CJK as a second.
  QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                       QStringLiteral("Noto Sans CJK JP")});
  QFont::insertSubstitutions(kMincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"),
                                       QStringLiteral("Noto Serif CJK JP")});
}

// The first of the name and its substitutes that is installed with Japanese
// glyphs. Asks the font database only, without loading a font.
QString FontCache::FamilyFor(const QString& faceName) {
  const auto known = m_families.constFind(faceName);
  if (known != m_families.constEnd()) return *known;
  // Substitutes come back lower-cased: take the database's own spelling.
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  QString family;
  for (const QString& candidate : QStringList(faceName) + QFont::substitutes(faceName)) {
    const auto installed = std::find_if(japanese.begin(), japanese.end(), [&](const QString& f) {
      return f.compare(candidate, Qt::CaseInsensitive) == 0;
    });
    if (installed != japanese.end()) {
      family = *installed;
      break;
    }
  }
  if (family.isEmpty()) family = JapaneseFamilyLike(faceName, japanese);
  if (family.isEmpty()) family = faceName;  // no Japanese face installed at all
  m_families.insert(faceName, family);
  return family;
}

// Cell height is proportional to the pixel size; measured once, large.
qreal FontCache::CellPerPixel(const QString& family) {
  const auto known = m_cellPerPixel.constFind(family);
  if (known != m_cellPerPixel.constEnd()) return *known;
  constexpr int kProbePixels = 100;
  QFont sized(family);
  sized.setPixelSize(kProbePixels);
  const QFontMetricsF metrics(sized);
  const qreal ratio = (metrics.ascent() + metrics.descent()) / kProbePixels;
  m_cellPerPixel.insert(family, ratio);
  return ratio;
}

const FontCache::PageFont& FontCache::Font(const QString& faceName, int cellHeight) {
  const QPair<QString, int> key(faceName, cellHeight);
  const auto known = m_fonts.constFind(key);
  if (known != m_fonts.constEnd()) return *known;

  const QString family = FamilyFor(faceName);
  QFont font(family);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  // Held to sizes a glyph rasteriser can take; pages need a few hundred.
  constexpr double kLargestPixelSize = 16384;
  const double pixels =
      std::clamp(std::round(cellHeight / CellPerPixel(family)), 1.0, kLargestPixelSize);
  font.setPixelSize(static_cast<int>(pixels));
  const qreal ascent = QFontMetricsF(font).ascent();
  return *m_fonts.insert(key, PageFont{font, ascent});
}
