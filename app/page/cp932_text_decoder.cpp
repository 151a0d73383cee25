#include "cp932_text_decoder.h"

#include "cp932_codec.h"

std::string Cp932TextDecoder::Utf8FromCp932(std::string_view bytes) const {
  return QStringFromCp932(bytes).toStdString();
}

QString QStringFromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
