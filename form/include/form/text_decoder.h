#pragma once

#include <string>
#include <string_view>

namespace form {

// The platform's code page 932 converter, as the front ends have it: the
// window's (Qt, iconv or Windows) or the browser's TextDecoder("shift_jis").
class TextDecoder {
 public:
  virtual ~TextDecoder() = default;
  virtual std::string Utf8FromCp932(std::string_view bytes) const = 0;
};

}  // namespace form
