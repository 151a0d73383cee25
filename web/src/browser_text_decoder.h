#pragma once

#include "form/text_decoder.h"

namespace web {

// Code page 932 through the browser's own TextDecoder("shift_jis").
class BrowserTextDecoder final : public form::TextDecoder {
 public:
  std::string Utf8FromCp932(std::string_view bytes) const override;
};

}  // namespace web
