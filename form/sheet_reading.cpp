#include "form/sheet_reading.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "worksheet/question_count.h"

namespace form {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kVoicedMark = 0x3099;      // ﾞ as NFKC makes it
constexpr char32_t kSemiVoicedMark = 0x309A;  // ﾟ
constexpr char32_t kCircledOne = 0x2460;      // ①
constexpr char32_t kCircledTwenty = 0x2473;   // ⑳

// U+FF61 "｡" .. U+FF9F "ﾟ" as NFKC writes them.
constexpr std::array<char16_t, 63> kHalfWidthKana{
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ',     u'ィ',    u'ゥ', u'ェ', u'ォ',
    u'ャ', u'ュ', u'ョ', u'ッ', u'ー', u'ア', u'イ',     u'ウ',    u'エ', u'オ', u'カ',
    u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス',     u'セ',    u'ソ', u'タ', u'チ',
    u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ',     u'ノ',    u'ハ', u'ヒ', u'フ',
    u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ',     u'ヤ',    u'ユ', u'ヨ', u'ラ',
    u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'\u3099', u'\u309A'};

// One UTF-8 character from text at pos, which moves past it; a malformed
// sequence reads as U+FFFD.
char32_t NextCharacter(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  const int trailing = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (trailing == 0 || lead > 0xF4) return kReplacementCharacter;
  char32_t c = lead & (0x3Fu >> trailing);
  for (int i = 0; i < trailing; ++i) {
    if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
      return kReplacementCharacter;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3Fu);
  }
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t bits) { out += static_cast<char>(bits); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// The white space Qt's QString::simplified() takes out.
bool IsSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// What NFKC makes of one character, as far as the texts of the window and
// the page go: full-width ASCII as ASCII, wide and narrow spaces as a space,
// half-width katakana as full-width.
char32_t Folded(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFEE0;
  if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
  if (c == 0xA0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000) {
    return 0x20;
  }
  return c;
}

// A kana followed by the voiced or semi-voiced sound mark is one character
// (カ + ﾞ is ガ, ﾌ + ﾟ is プ), as NFKC composes them; 0 where there is none.
char32_t WithSoundMark(char32_t kana, char32_t mark) {
  const bool hiragana = kana >= 0x3041 && kana <= 0x309F;
  const char32_t k = hiragana ? kana + 0x60 : kana;  // as katakana
  const bool haToHo = k >= 0x30CF && k <= 0x30DB && (k - 0x30CF) % 3 == 0;
  char32_t composed = 0;
  if (mark == kSemiVoicedMark) {
    if (haToHo) composed = k + 2;
  } else if ((k >= 0x30AB && k <= 0x30C1 && k % 2 == 1) || k == 0x30C4 || k == 0x30C6 ||
             k == 0x30C8 || haToHo) {
    composed = k + 1;  // カ..チ, ツ, テ, ト, ハ..ホ
  } else if (k == 0x30A6) {
    composed = 0x30F4;  // ヴ
  } else if (k == 0x30FD) {
    composed = 0x30FE;  // ヾ
  } else if (!hiragana && k >= 0x30EF && k <= 0x30F2) {
    composed = k + 8;  // ヷ..ヺ
  }
  return composed == 0 || !hiragana ? composed : composed - 0x60;
}

void Replace(std::u32string& text, std::u32string_view from, std::u32string_view to) {
  for (std::size_t at = text.find(from); at != std::u32string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Letters and digits, as far as the page's texts go: punctuation, symbols,
// spaces and sound marks of the ranges Japanese text uses are not.
bool IsLetterOrDigit(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
  if ((c >= 0x2150 && c <= 0x218F) || (c >= 0x2460 && c <= 0x24FF)) return true;  // Ⅰ, ①
  return !(c < 0xC0 || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x2BFF) ||
           (c >= 0x3000 && c <= 0x3004) || (c >= 0x3008 && c <= 0x3020) || c == 0x3030 ||
           (c >= 0x3099 && c <= 0x309C) || c == 0x30A0 || c == 0x30FB ||
           (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF65) || c >= 0xFFE0);
}

}  // namespace

// Only the texts and their size make the reading.
void SheetReading::SetBrushStyle(render::BrushStyle /*style*/) {}

void SheetReading::SetBrushColor(render::Color /*color*/) {}

void SheetReading::SetPenColor(render::Color /*color*/) {}

void SheetReading::Rectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}

void SheetReading::SetFontName(std::string_view /*faceName*/) {}

void SheetReading::SetFontHeight(int height) {
  m_fontHeight = height;
}

void SheetReading::TextOut(int x, int y, std::string_view text) {
  const std::string shown = m_decoder.Utf8FromCp932(text);
  ReadingLine line{.spoken = SpokenText(shown), .x = x, .y = y, .height = m_fontHeight};
  // Full-width characters are a cell high and wide, the others half as wide.
  bool letterOrDigit = false;
  for (std::size_t pos = 0; pos < shown.size();) {
    line.width += NextCharacter(shown, pos) < 0x80 ? m_fontHeight / 2 : m_fontHeight;
  }
  for (std::size_t pos = 0; pos < line.spoken.size() && !letterOrDigit;) {
    letterOrDigit = IsLetterOrDigit(NextCharacter(line.spoken, pos));
  }
  // The page's only text without a letter or digit is the empty field for
  // the child's name.
  if (!letterOrDigit) line.spoken = "名前を書く欄";
  m_lines.push_back(std::move(line));
}

std::string SpokenText(std::string_view shown) {
  std::u32string text;
  text.reserve(shown.size());
  for (std::size_t pos = 0; pos < shown.size();) {
    const char32_t c = Folded(NextCharacter(shown, pos));
    if (c >= kCircledOne && c <= kCircledTwenty) {
      for (const char digit : std::to_string(c - kCircledOne + 1)) text += char32_t(digit);
      text += U"番、";
    } else if ((c == kVoicedMark || c == kSemiVoicedMark) && !text.empty() &&
               WithSoundMark(text.back(), c) != 0) {
      text.back() = WithSoundMark(text.back(), c);
    } else {
      text += c;
    }
  }
  Replace(text, U"[ ]", U"四角");
  Replace(text, U"×", U"かける");
  Replace(text, U"=", U"は");

  // Trimmed, and each run of white space one space.
  std::string spoken;
  spoken.reserve(text.size() * 3);
  bool spaceBefore = false;
  for (const char32_t c : text) {
    if (IsSpace(c)) {
      spaceBefore = !spoken.empty();
      continue;
    }
    if (spaceBefore) spoken += ' ';
    spaceBefore = false;
    AppendUtf8(spoken, c);
  }
  return spoken;
}

std::string SheetSummary(const TextDecoder& decoder, int countOption, std::int32_t number) {
  const std::string_view label =
      worksheet::IsQuestionCountIndex(countOption)
          ? worksheet::kQuestionCountOptions[static_cast<std::size_t>(countOption)].label
          : std::string_view();
  return "答えの用紙（" + SpokenText(decoder.Utf8FromCp932(label)) + "、問題No." +
         std::to_string(number) + "）";
}

}  // namespace form
