#include "font_cache.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "cp932_codec.h"
#include "render/drawing_surface.h"

// The list of families is read once; every face name is chosen from it.
FontCache::FontCache() : m_installed(InstalledJapaneseFamilies()) {
  // Where these faces are missing nothing knows their names; without the
  // substitution a QFont of them would get a Latin face.
  for (const std::string_view pageFace : {render::kGothicFace, render::kMinchoFace}) {
    const QString face = QStringFromCp932(pageFace);
    const QString family = FamilyFor(face);
    if (family != face) QFont::insertSubstitution(face, family);
  }
}

// Loads no font. The Latin name it answers reaches the same face through Qt
// in every locale.
QString FontCache::FamilyFor(const QString& faceName) {
  const auto known = m_families.constFind(faceName);
  if (known != m_families.constEnd()) return *known;
  const QString family = NearestJapaneseFamily(faceName, m_installed);
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

FontCache::PageFont FontCache::Font(const QString& faceName, int cellHeight) {
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

const QTextLayout& FontCache::LaidOut(const QString& faceName, int cellHeight, const QString& text,
                                      const QPaintDevice& device) {
  LayoutKey key{faceName, cellHeight, device.logicalDpiY(), text};
  if (const QTextLayout* known = m_layouts.object(key)) return *known;
  auto* layout = new QTextLayout(text, Font(faceName, cellHeight).font, &device);
  layout->setCacheEnabled(true);  // keeps the shaping after the first drawing
  layout->beginLayout();
  layout->createLine();
  layout->endLayout();
  m_layouts.insert(std::move(key), layout);
  return *layout;
}
