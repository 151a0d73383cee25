// Code page 932 through the Windows API, which every Windows has.
#include <windows.h>

#include <algorithm>

#include "cp932_system.h"

namespace cp932 {
namespace {

constexpr UINT kCodePage = 932;

// Windows gives the single bytes 0x80, 0xA0 and 0xFD to 0xFF characters of
// their own (U+0080 and private-use ones) where other converters see no
// character: they are held to the same rule here.
bool IsSingleByteCharacter(unsigned char byte) {
  return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF);
}

bool DecodeCharacter(std::string_view bytes, QString& text) {
  if (bytes.size() == 1 && !IsSingleByteCharacter(static_cast<unsigned char>(bytes.front()))) {
    return false;
  }
  wchar_t wide[2];
  const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(bytes.size()), wide, 2);
  if (length <= 0) return false;
  text = QString::fromWCharArray(wide, length);
  return true;
}

// The characters Windows gives those bytes, which other converters lack.
bool IsOwnCharacterOfWindows(QChar character) {
  return character.unicode() == 0x80 ||
         (character.unicode() >= 0xF8F0 && character.unicode() <= 0xF8F3);
}

// Without WC_NO_BEST_FIT_CHARS Windows would write "e" for "é" and the like.
bool Encode(QStringView text, std::string& bytes) {
  if (std::any_of(text.begin(), text.end(), IsOwnCharacterOfWindows)) {
    bytes.clear();
    return false;
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
  const int wideLength = static_cast<int>(text.size());
  const char substitute[] = {kSubstitute, '\0'};
  BOOL usedSubstitute = FALSE;
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, wideLength, nullptr,
                                         0, substitute, &usedSubstitute);
  if (length <= 0) {
    bytes.clear();
    return false;
  }
  bytes.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, wideLength, bytes.data(), length,
                      substitute, &usedSubstitute);
  return !usedSubstitute;
}

}  // namespace

const Cp932Converter kSystemConverter = Cp932Converter::Windows;

bool SystemAvailable() {
  return IsValidCodePage(kCodePage) != FALSE;
}

// Character by character throughout: MB_ERR_INVALID_CHARS tells only that a
// text failed, not where, and the bytes Windows reads as characters of its own
// need looking at anyway.
QString DecodeWithSystem(std::string_view bytes) {
  return DecodeByCharacter(bytes, DecodeCharacter);
}

std::string EncodeWithSystem(const QString& text) {
  std::string bytes;
  if (text.isEmpty() || Encode(text, bytes)) return bytes;
  return EncodeByCharacter(text, Encode);
}

}  // namespace cp932
