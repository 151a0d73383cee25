#pragma once

// The papers the page prints on: those the desktop offers when it prints to
// a file, by its names, in hundredths of a millimetre, portrait.

#include <array>
#include <string_view>

namespace web {

struct Paper {
  std::string_view name;   // the choice's value
  std::string_view label;  // as the desktop shows it
  int width;
  int height;
};

inline constexpr std::array<Paper, 7> kPapers{{
    {"A4", "A4", 21000, 29700},
    {"A3", "A3", 29700, 42000},
    {"A5", "A5", 14800, 21000},
    {"B4", "B4", 25700, 36400},  // JIS
    {"B5", "B5", 18200, 25700},  // JIS
    {"Letter", "レター", 21590, 27940},
    {"Legal", "リーガル", 21590, 35560},
}};
// The first choice: A4, or Letter where the browser's language is US English,
// as the desktop falls back to.
inline constexpr int kDefaultPaper = 0;
inline constexpr int kUsDefaultPaper = 5;

}  // namespace web
