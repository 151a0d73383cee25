#include "browser_text_decoder.h"

#include <emscripten/emscripten.h>

// Writes the UTF-8 text into out (capacity bytes, a terminating NUL
// included) and answers its length in bytes.
EM_JS(int, kk_decode_cp932, (const char* bytes, int length, char* out, int capacity), {
  Module.cp932 = Module.cp932 || new TextDecoder("shift_jis");
  const text = Module.cp932.decode(HEAPU8.subarray(bytes, bytes + length));
  return stringToUTF8(text, out, capacity);
});

namespace web {

std::string BrowserTextDecoder::Utf8FromCp932(std::string_view bytes) const {
  // A byte of code page 932 becomes at most three of UTF-8 (half-width katakana).
  std::string text(bytes.size() * 3 + 1, '\0');
  const int length = kk_decode_cp932(bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                     static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace web
