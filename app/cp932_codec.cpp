#include "cp932_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Stateless, so that a lead byte at the end of one text is not carried into
// the next.
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char* kCodePage = "windows-31j";
}  // namespace

QString QStringFromCp932(std::string_view bytes) {
  QStringDecoder decoder(kCodePage, kFlags);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Cp932FromQString(const QString& text) {
  QStringEncoder encoder(kCodePage, kFlags);
  const QByteArray bytes = encoder.encode(text);
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}
