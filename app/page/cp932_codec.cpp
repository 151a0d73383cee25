#include "cp932_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

#include "cp932_system.h"

namespace {

// Stateless, so that a lead byte at the end of one text is not carried into
// the next: the converters can be kept and used for every text.
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char* kQtName = "windows-31j";

// Qt's converters report an error but not where it was. Only then is a text
// converted again character by character, to put U+FFFD or "?" in place. Their
// error flag never clears, so a converter that met an error is made anew, in
// place: in Qt 6.4 an ICU converter that was reset or assigned to no longer
// reports errors.
QString DecodeWithQt(std::string_view bytes) {
  // Opening a converter costs several times what converting a line of a page
  // does. One per thread, as a converter is not safe to share.
  thread_local std::optional<QStringDecoder> decoder(std::in_place, kQtName, kFlags);
  const auto decode = [](std::string_view part, QString& text) {
    text = decoder->decode(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
    if (!decoder->hasError()) return true;
    decoder.emplace(kQtName, kFlags);
    return false;
  };
  QString text;
  if (decode(bytes, text)) return text;
  return cp932::DecodeByCharacter(bytes, decode);
}

std::string EncodeWithQt(const QString& text) {
  thread_local std::optional<QStringEncoder> encoder(std::in_place, kQtName, kFlags);
  const auto encode = [](QStringView part, std::string& bytes) {
    const QByteArray encoded = encoder->encode(part);
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    if (!encoder->hasError()) return true;
    encoder.emplace(kQtName, kFlags);
    return false;
  };
  std::string bytes;
  if (encode(text, bytes)) return bytes;
  return cp932::EncodeByCharacter(text, encode);
}

}  // namespace

bool Cp932ConverterAvailable(Cp932Converter converter) {
  if (converter == Cp932Converter::Qt) {
    return QStringDecoder(kQtName, kFlags).isValid() && QStringEncoder(kQtName, kFlags).isValid();
  }
  return converter == cp932::kSystemConverter && cp932::SystemAvailable();
}

std::optional<Cp932Converter> ActiveCp932Converter() {
  static const std::optional<Cp932Converter> active = []() -> std::optional<Cp932Converter> {
    for (const Cp932Converter converter : {Cp932Converter::Qt, cp932::kSystemConverter}) {
      if (Cp932ConverterAvailable(converter)) return converter;
    }
    return std::nullopt;
  }();
  return active;
}

QString QStringFromCp932(std::string_view bytes, Cp932Converter converter) {
  return converter == Cp932Converter::Qt ? DecodeWithQt(bytes) : cp932::DecodeWithSystem(bytes);
}

std::string Cp932FromQString(const QString& text, Cp932Converter converter) {
  return converter == Cp932Converter::Qt ? EncodeWithQt(text) : cp932::EncodeWithSystem(text);
}

QString QStringFromCp932(std::string_view bytes) {
  const auto converter = ActiveCp932Converter();
  return converter ? QStringFromCp932(bytes, *converter) : QString();
}

std::string Cp932FromQString(const QString& text) {
  const auto converter = ActiveCp932Converter();
  return converter ? Cp932FromQString(text, *converter) : std::string();
}
