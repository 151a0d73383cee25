#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "cp932_codec.h"
#include "render/cp932_character.h"

// The system's own code page 932 converter behind cp932_codec.h, one source
// per platform (iconv, or the Windows API), and the character-by-character
// fallback that it and Qt's converter share. For the codec's sources only.
namespace cp932 {

// Which converter the system source implements.
extern const Cp932Converter kSystemConverter;
bool SystemAvailable();
QString DecodeWithSystem(std::string_view bytes);
std::string EncodeWithSystem(const QString& text);

// For converters that only tell whether a whole text converted: converts
// again character by character, a byte that does not begin a code page 932
// character becoming U+FFFD and a character code page 932 lacks "?".
// `decode(part, text)` and `encode(part, bytes)` return false on an error.
template <typename Decode>
QString DecodeByCharacter(std::string_view bytes, Decode decode);
template <typename Encode>
std::string EncodeByCharacter(const QString& text, Encode encode);

inline constexpr char16_t kReplacement = 0xFFFD;
inline constexpr char kSubstitute = '?';

using render::CharacterAt;

template <typename Decode>
QString DecodeByCharacter(std::string_view bytes, Decode decode) {
  QString text;
  QString character;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::string_view bytesOfCharacter = CharacterAt(bytes, at);
    if (decode(bytesOfCharacter, character)) {
      text.append(character);
      at += bytesOfCharacter.size();
    } else {
      // A bad byte stands for itself alone; what follows it is read afresh.
      text.append(QChar(kReplacement));
      ++at;
    }
  }
  return text;
}

template <typename Encode>
std::string EncodeByCharacter(const QString& text, Encode encode) {
  std::string result;
  std::string bytes;
  for (qsizetype at = 0; at < text.size();) {
    const qsizetype length =
        text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()
            ? 2
            : 1;
    result +=
        encode(QStringView(text).sliced(at, length), bytes) ? bytes : std::string(1, kSubstitute);
    at += length;
  }
  return result;
}

}  // namespace cp932
