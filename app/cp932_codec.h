#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one place where the program's code page 932 texts meet Unicode, the
// toolkit's encoding. Code page 932 (not plain Shift-JIS) knows the circled
// numbers. Bytes that are not code page 932 become U+FFFD; characters that
// code page 932 lacks become its substitute.
QString QStringFromCp932(std::string_view bytes);
std::string Cp932FromQString(const QString& text);
