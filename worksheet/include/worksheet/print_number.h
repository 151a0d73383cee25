#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace worksheet {

// Reads the sheet number as typed in its box (code page 932 bytes):
// leading ASCII spaces, then either an optional sign and decimal digits within
// the range of int32, or with no sign a "$", "x", "X", "0x" or "0X" and at most
// eight significant hexadecimal digits taken as the number's 32 bits
// ("$FFFFFFFF" is -1). Anything else, a trailing space or full-width digit
// included, is not a number.
std::optional<std::int32_t> ReadPrintNumber(std::string_view text);

// "'<text>' は整数ではありません" in code page 932; the text is taken as it is.
std::string NotAnIntegerMessage(std::string_view text);

// The number after `number`; after 2147483647 comes -2147483648.
constexpr std::int32_t NextPrintNumber(std::int32_t number) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(number) + 1u);
}

}  // namespace worksheet
