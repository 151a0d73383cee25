#include "browser_text.h"

#include <emscripten/emscripten.h>

// Each writes the converted text into out (capacity bytes, a terminating NUL
// included) and answers its length in bytes, or with no room the room it
// needs.
EM_JS(int, kk_decode_cp932, (const char* bytes, int length, char* out, int capacity), {
  Module.cp932 = Module.cp932 || new TextDecoder("shift_jis");
  const text = Module.cp932.decode(HEAPU8.subarray(bytes, bytes + length));
  return capacity > 0 ? stringToUTF8(text, out, capacity) : lengthBytesUTF8(text) + 1;
});

EM_JS(int, kk_nfkc, (const char* utf8, int length, char* out, int capacity), {
  const text = UTF8ToString(utf8, length).normalize("NFKC");
  return capacity > 0 ? stringToUTF8(text, out, capacity) : lengthBytesUTF8(text) + 1;
});

namespace web {

namespace {

// The room a conversion needs is asked first: NFKC may lengthen a text.
template <typename Convert>
std::string Converted(Convert convert, std::string_view text) {
  const auto length = static_cast<int>(text.size());
  std::string out(static_cast<std::size_t>(convert(text.data(), length, nullptr, 0)), '\0');
  out.resize(static_cast<std::size_t>(
      convert(text.data(), length, out.data(), static_cast<int>(out.size()))));
  return out;
}

}  // namespace

std::string BrowserText::Utf8FromCp932(std::string_view bytes) const {
  return Converted(kk_decode_cp932, bytes);
}

std::string BrowserText::Nfkc(std::string_view utf8) const {
  return Converted(kk_nfkc, utf8);
}

}  // namespace web
