#include "font_cache.h"

#include <QFontDatabase>
#include <QFontInfo>
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
QString JapaneseFamilyLike(const QString& faceName) {
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
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

QString FontCache::FamilyFor(const QString& faceName) {
  return FaceFor(faceName).family;
}

const FontCache::Face& FontCache::FaceFor(const QString& faceName) {
  const auto known = m_faces.constFind(faceName);
  if (known != m_faces.constEnd()) return *known;

  QFont probe(faceName);
  probe.setStyleHint(IsMinchoName(faceName) ? QFont::Serif : QFont::SansSerif);
  QString family = QFontInfo(probe).family();
  if (!QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
    const QString japanese = JapaneseFamilyLike(faceName);
    if (!japanese.isEmpty()) family = japanese;
  }

  // Cell height is proportional to the pixel size; measure it once, large.
  constexpr int kProbePixels = 100;
  QFont sized(family);
  sized.setPixelSize(kProbePixels);
  const QFontMetricsF metrics(sized);
  Face face{family, (metrics.ascent() + metrics.descent()) / kProbePixels};
  return *m_faces.insert(faceName, face);
}

const FontCache::PageFont& FontCache::Font(const QString& faceName, int cellHeight) {
  const QPair<QString, int> key(faceName, cellHeight);
  const auto known = m_fonts.constFind(key);
  if (known != m_fonts.constEnd()) return *known;

  const Face& face = FaceFor(faceName);
  QFont font(face.family);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  // Held to sizes a glyph rasteriser can take; pages need a few hundred.
  constexpr double kLargestPixelSize = 16384;
  const double pixels =
      std::clamp(std::round(cellHeight / face.cellPerPixel), 1.0, kLargestPixelSize);
  font.setPixelSize(static_cast<int>(pixels));
  const qreal ascent = QFontMetricsF(font).ascent();
  return *m_fonts.insert(key, PageFont{font, ascent});
}
