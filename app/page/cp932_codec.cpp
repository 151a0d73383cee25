#include "cp932_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char kSubstitute = '?';

// Stateless, so that a lead byte at the end of one text is not carried into
// the next: the converters can be kept and used for every text.
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char* kQtName = "windows-31j";
constexpr const char* kIconvName = "CP932";

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The bytes of the character that starts at `at`: a lead byte with its trail
// byte, or one byte.
std::string_view CharacterAt(std::string_view bytes, std::size_t at) {
  const bool pair = IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() &&
                    IsTrailByte(static_cast<unsigned char>(bytes[at + 1]));
  return bytes.substr(at, pair ? 2 : 1);
}

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
  text.clear();
  QString character;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::string_view bytesOfCharacter = CharacterAt(bytes, at);
    if (decode(bytesOfCharacter, character)) {
      text.append(character);
      at += bytesOfCharacter.size();
    } else {
      // A bad byte stands for itself alone; what follows it is read afresh.
      text.append(QChar(kReplacement));
      ++at;
    }
  }
  return text;
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
  std::string result;
  for (qsizetype at = 0; at < text.size();) {
    const qsizetype length =
        text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()
            ? 2
            : 1;
    result +=
        encode(QStringView(text).sliced(at, length), bytes) ? bytes : std::string(1, kSubstitute);
    at += length;
  }
  return result;
}

// An iconv descriptor, one per thread and direction, as it keeps state.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : m_descriptor(iconv_open(to, from)) {}
  ~Iconv() {
    if (Available()) iconv_close(m_descriptor);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Available() const { return m_descriptor != reinterpret_cast<iconv_t>(-1); }

  // Converts `input`; at a sequence it cannot convert, appends `replacement`
  // and goes on after `skip(rest)` bytes.
  template <typename Skip>
  std::string Convert(std::string_view input, std::string_view replacement, Skip skip) {
    std::string output;
    std::array<char, 256> buffer{};
    iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
    // iconv's interface takes a non-const input pointer but only reads it.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
      char* out = buffer.data();
      std::size_t outLeft = buffer.size();
      const std::size_t result = iconv(m_descriptor, &in, &inLeft, &out, &outLeft);
      const int error = errno;
      output.append(buffer.data(), buffer.size() - outLeft);
      if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      // EILSEQ, or EINVAL for a character cut off at the end.
      output += replacement;
      const std::size_t skipped = std::min(skip(std::string_view(in, inLeft)), inLeft);
      in += skipped;
      inLeft -= skipped;
    }
    return output;
  }

 private:
  iconv_t m_descriptor;
};

Iconv& IconvDecoder() {
  thread_local Iconv decoder("UTF-8", kIconvName);
  return decoder;
}

Iconv& IconvEncoder() {
  thread_local Iconv encoder(kIconvName, "UTF-8");
  return encoder;
}

QString DecodeWithIconv(std::string_view bytes) {
  const std::string utf8 = IconvDecoder().Convert(bytes, "\xEF\xBF\xBD",
                                                  [](std::string_view) { return std::size_t{1}; });
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string EncodeWithIconv(const QString& text) {
  // QString::toUtf8 has already turned a lone surrogate into U+FFFD.
  const QByteArray utf8 = text.toUtf8();
  return IconvEncoder().Convert(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
      std::string_view(&kSubstitute, 1), [](std::string_view rest) {
        // The whole UTF-8 sequence of the character iconv stopped at.
        const auto lead = static_cast<unsigned char>(rest.front());
        return std::size_t{lead >= 0xF0 ? 4U : lead >= 0xE0 ? 3U : lead >= 0xC0 ? 2U : 1U};
      });
}

}  // namespace

bool Cp932ConverterAvailable(Cp932Converter converter) {
  if (converter == Cp932Converter::Qt) {
    return QStringDecoder(kQtName, kFlags).isValid() && QStringEncoder(kQtName, kFlags).isValid();
  }
  return IconvDecoder().Available() && IconvEncoder().Available();
}

std::optional<Cp932Converter> ActiveCp932Converter() {
  static const std::optional<Cp932Converter> active = []() -> std::optional<Cp932Converter> {
    for (const Cp932Converter converter : {Cp932Converter::Qt, Cp932Converter::Iconv}) {
      if (Cp932ConverterAvailable(converter)) return converter;
    }
    return std::nullopt;
  }();
  return active;
}

QString QStringFromCp932(std::string_view bytes, Cp932Converter converter) {
  return converter == Cp932Converter::Qt ? DecodeWithQt(bytes) : DecodeWithIconv(bytes);
}

std::string Cp932FromQString(const QString& text, Cp932Converter converter) {
  return converter == Cp932Converter::Qt ? EncodeWithQt(text) : EncodeWithIconv(text);
}

QString QStringFromCp932(std::string_view bytes) {
  const auto converter = ActiveCp932Converter();
  return converter ? QStringFromCp932(bytes, *converter) : QString();
}

std::string Cp932FromQString(const QString& text) {
  const auto converter = ActiveCp932Converter();
  return converter ? Cp932FromQString(text, *converter) : std::string();
}
