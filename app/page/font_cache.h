#pragma once

#include <QFont>
#include <QHash>
#include <QString>

#include <vector>

#include "japanese_families.h"

// Fonts of the page by face name and cell height, made once and reused.
// "ＭＳ ゴシック" and "ＭＳ 明朝" stand for a Japanese Gothic and Mincho face
// of fixed pitch; any face that lacks Japanese glyphs is replaced by one that
// has them. The choice is the same in every locale.
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

 private:
  qreal CellPerPixel(const QString& family);

  std::vector<JapaneseFamily> m_installed;
  QHash<QString, QString> m_families;
  QHash<QString, qreal> m_cellPerPixel;  // cell height per pixel of font size
  QHash<QPair<QString, int>, PageFont> m_fonts;
};
