#pragma once

#include <QString>

#include <string_view>

// The one place where the program's code page 932 texts become Unicode for
// the toolkit. Code page 932 (not plain Shift-JIS) knows the circled numbers.
// Broken bytes become U+FFFD.
QString QStringFromCp932(std::string_view bytes);
