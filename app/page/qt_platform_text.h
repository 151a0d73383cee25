#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "form/platform_text.h"

// The toolkit's text conversions for the form library, which reads and
// writes UTF-8: the program's code page 932 converter and Qt's NFKC.
class QtPlatformText final : public form::PlatformText {
 public:
  std::string Utf8FromCp932(std::string_view bytes) const override;
  std::string Nfkc(std::string_view utf8) const override;
};

// A text of the form library (UTF-8) for the toolkit.
QString QStringFromUtf8(std::string_view text);

// A text of the window as speech engines read it out (form::SpokenText).
QString SpokenText(const QString& shown);
