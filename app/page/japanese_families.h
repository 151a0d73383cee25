#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The installed font families with Japanese glyphs, and the one that stands
// for a Windows face name ("ＭＳ ゴシック", "ＭＳ 明朝").
//
// Qt's font database lists each family under one name, localised in a
// Japanese locale ("IPAゴシック" for IPAGothic), so on Linux it is asked of
// fontconfig, which knows every name of a family and whether its glyphs share
// one pitch as the Windows faces' do. Without fontconfig (Windows) Qt's font
// database is asked, and the Windows families get their other name from a
// table.

struct JapaneseFamily {
  QStringList names;        // the English (Latin) name first
  bool fixedPitch = false;  // fontconfig's spacing dual width or mono, or Qt's fixed pitch
};

// Reads fontconfig's list of outline fonts (loads no font), or Qt's font
// database, which needs the application object.
std::vector<JapaneseFamily> InstalledJapaneseFamilies();

// The Latin name of the family to draw `faceName` with: the family of that
// name when installed, else a fixed-pitch one before any proportional one, a
// Mincho for a Mincho name and a Gothic for any other before the other kind,
// the faces nearest to the Windows ones first. `faceName` itself when no
// family has Japanese glyphs.
QString NearestJapaneseFamily(const QString& faceName,
                              const std::vector<JapaneseFamily>& installed);
