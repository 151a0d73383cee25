#pragma once

#include "form/platform_text.h"

namespace web {

// The browser's own text conversions: TextDecoder("shift_jis") and
// String.prototype.normalize("NFKC").
class BrowserText final : public form::PlatformText {
 public:
  std::string Utf8FromCp932(std::string_view bytes) const override;
  std::string Nfkc(std::string_view utf8) const override;
};

}  // namespace web
