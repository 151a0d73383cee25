#pragma once

// The characters of a code page 932 text: a lead byte (0x81..0x9F,
// 0xE0..0xFC) with the trail byte after it, or one byte.

#include <cstddef>
#include <string_view>

namespace render {

inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The bytes of the character that starts at `at`.
inline std::string_view CharacterAt(std::string_view bytes, std::size_t at) {
  const bool pair = IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() &&
                    IsTrailByte(static_cast<unsigned char>(bytes[at + 1]));
  return bytes.substr(at, pair ? 2 : 1);
}

}  // namespace render
