#include "cp932.h"

#include <iconv.h>

#include <stdexcept>

namespace test_support {
namespace {

std::string Convert(std::string_view text, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv lacks CP932");
  std::string input(text);
  std::string output(input.size() * 3 + 1, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("text not convertible");
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

std::string Cp932(std::string_view utf8) {
  return Convert(utf8, "UTF-8", "CP932");
}
std::string Utf8FromCp932(std::string_view cp932) {
  return Convert(cp932, "CP932", "UTF-8");
}

}  // namespace test_support
