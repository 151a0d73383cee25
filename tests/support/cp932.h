#pragma once

#include <string>
#include <string_view>

namespace test_support {

// Conversions between UTF-8 and code page 932 through glibc's iconv (the
// Windows API on Windows), so that expected texts can be written readably in
// the tests.
std::string Cp932(std::string_view utf8);
std::string Utf8FromCp932(std::string_view cp932);

}  // namespace test_support
