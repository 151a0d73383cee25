#include "cp932.h"

#include <iconv.h>

#include <stdexcept>

namespace test_support {

std::string Cp932(std::string_view utf8) {
  iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("iconv has no CP932");
  std::string input(utf8);
  std::string output(input.size() * 2 + 1, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1))
    throw std::runtime_error("not convertible to CP932");
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace test_support
