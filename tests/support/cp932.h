#pragma once

#include <string>
#include <string_view>

namespace test_support {

// The code page 932 bytes of a UTF-8 text, through glibc's iconv, so that
// expected texts can be written readably in the tests.
std::string Cp932(std::string_view utf8);

}  // namespace test_support
