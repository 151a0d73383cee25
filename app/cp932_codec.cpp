#include "cp932_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Stateless, so that a lead byte at the end of one text is not carried into
// the next: the converters can be kept and used for every text.
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char* kCodePage = "windows-31j";

// Opening a converter costs several times what converting a line of a page
// does. One of each per thread, as a converter is not safe to share. Their
// error counts only grow; nothing here reads them.
QStringDecoder& Decoder() {
  thread_local QStringDecoder decoder(kCodePage, kFlags);
  return decoder;
}

QStringEncoder& Encoder() {
  thread_local QStringEncoder encoder(kCodePage, kFlags);
  return encoder;
}

}  // namespace

QString QStringFromCp932(std::string_view bytes) {
  return Decoder().decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Cp932FromQString(const QString& text) {
  const QByteArray bytes = Encoder().encode(text);
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}
