#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The one place where the program's code page 932 texts meet Unicode, the
// toolkit's encoding. Code page 932 (not plain Shift-JIS) knows the circled
// numbers. Each byte that does not begin a code page 932 character becomes
// U+FFFD; each character that code page 932 lacks becomes "?".
QString QStringFromCp932(std::string_view bytes);
std::string Cp932FromQString(const QString& text);

// Who converts: Qt's own converter where Qt was built with ICU, else the
// system's: the C library's iconv, or on Windows the Windows API. A build has
// Qt's and one of the system's. Chosen once, at the first call; none when
// neither knows code page 932, and then every text would come out empty.
enum class Cp932Converter { Qt, Iconv, Windows };
std::optional<Cp932Converter> ActiveCp932Converter();

// The same conversions through a given converter, which must be available.
QString QStringFromCp932(std::string_view bytes, Cp932Converter converter);
std::string Cp932FromQString(const QString& text, Cp932Converter converter);
bool Cp932ConverterAvailable(Cp932Converter converter);
