#pragma once

// The metrics of the fonts the page carries, IPAGothic and IPAMincho, both
// fixed-pitch: the page places its texts by these, never by a browser's
// measurement, which differs between engines (Firefox's canvas rounds the
// descent another way). web/fonts/subset_fonts.py checks them against the
// fonts it subsets.

namespace web {

inline constexpr int kFontUnitsPerEm = 2048;
inline constexpr int kFontAscent = 1802;
inline constexpr int kFontDescent = 246;
// A single-byte code page 932 character (ASCII, half-width katakana) is half
// an em wide, a double-byte one a whole em.
inline constexpr int kHalfEmsPerSingleByte = 1;
inline constexpr int kHalfEmsPerDoubleByte = 2;

}  // namespace web
