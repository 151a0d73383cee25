#include <windows.h>

#include <stdexcept>

#include "cp932.h"

namespace test_support {
namespace {

std::wstring Wide(std::string_view text, UINT codePage) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int length = text.empty() ? 0
                                  : MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                                        size, wide.data(), size);
  if (length == 0 && !text.empty()) throw std::runtime_error("text not convertible");
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  const int size = static_cast<int>(wide.size());
  std::string text(wide.size() * 3, '\0');
  BOOL lacking = FALSE;
  const int length =
      wide.empty() ? 0
                   : WideCharToMultiByte(codePage, codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS,
                                         wide.data(), size, text.data(), size * 3, nullptr,
                                         codePage == CP_UTF8 ? nullptr : &lacking);
  if ((length == 0 && !wide.empty()) || lacking) throw std::runtime_error("text not convertible");
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

std::string Cp932(std::string_view utf8) {
  return Narrow(Wide(utf8, CP_UTF8), 932);
}
std::string Utf8FromCp932(std::string_view cp932) {
  return Narrow(Wide(cp932, 932), CP_UTF8);
}

}  // namespace test_support
