#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "form/text_decoder.h"

// The program's code page 932 converter for the form library, which reads
// the page's texts in UTF-8.
class Cp932TextDecoder final : public form::TextDecoder {
 public:
  std::string Utf8FromCp932(std::string_view bytes) const override;
};

// A text of the form library (UTF-8) for the toolkit.
QString QStringFromUtf8(std::string_view text);
