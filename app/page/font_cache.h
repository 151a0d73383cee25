#pragma once

#include <QCache>
#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>

#include <vector>

#include "japanese_families.h"

class QPaintDevice;

// Fonts of the page by face name and cell height, made once and reused.
// "ＭＳ ゴシック" and "ＭＳ 明朝" stand for a Japanese Gothic and Mincho face
// of fixed pitch; any face that lacks Japanese glyphs is replaced by one that
// has them. The choice is the same in every locale. The texts drawn in them
// are kept shaped, for the repaints that draw them again.
class FontCache {
 public:
  struct PageFont {
    QFont font;
    qreal ascent = 0;  // from the top of the cell to the baseline
  };

  FontCache();

  // The font whose cell (ascent plus descent) is closest to `cellHeight`
  // device pixels, regular weight. A copy: the cache moves its entries as it
  // grows.
  PageFont Font(const QString& faceName, int cellHeight);

  // The installed family that a face name resolves to, by its Latin name.
  QString FamilyFor(const QString& faceName);

  // `text` laid out on one line in Font(faceName, cellHeight), as a painter
  // on `device` shapes it: shaping is most of the cost of drawing a short
  // text. Valid until the next call.
  const QTextLayout& LaidOut(const QString& faceName, int cellHeight, const QString& text,
                             const QPaintDevice& device);

 private:
  struct LayoutKey {
    QString faceName;
    int cellHeight = 0;
    int dpi = 0;
    QString text;
    bool operator==(const LayoutKey&) const = default;
  };
  friend size_t qHash(const LayoutKey& key, size_t seed) {
    return qHashMulti(seed, key.faceName, key.cellHeight, key.dpi, key.text);
  }

  qreal CellPerPixel(const QString& family);

  std::vector<JapaneseFamily> m_installed;
  QHash<QString, QString> m_families;
  QHash<QString, qreal> m_cellPerPixel;  // cell height per pixel of font size
  QHash<QPair<QString, int>, PageFont> m_fonts;
  // A sheet and its answers have a few hundred texts: a few sheets' worth.
  QCache<LayoutKey, QTextLayout> m_layouts{1024};
};
