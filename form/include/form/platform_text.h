#pragma once

#include <string>
#include <string_view>

namespace form {

// The platform's text conversions, as the front ends have them: the
// window's (Qt, with its code page 932 converter) or the browser's
// (TextDecoder("shift_jis"), String.prototype.normalize).
class PlatformText {
 public:
  virtual ~PlatformText() = default;
  // Code page 932 bytes as UTF-8.
  virtual std::string Utf8FromCp932(std::string_view bytes) const = 0;
  // Unicode's compatibility composition (NFKC) of a UTF-8 text: full-width
  // letters, digits and signs as plain ones, half-width katakana as
  // full-width, wide spaces as a space.
  virtual std::string Nfkc(std::string_view utf8) const = 0;
};

}  // namespace form
