// Code page 932 through the C library's iconv ("CP932").
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "cp932_system.h"

namespace cp932 {
namespace {

constexpr const char* kIconvName = "CP932";

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

const Cp932Converter kSystemConverter = Cp932Converter::Iconv;

bool SystemAvailable() {
  return IconvDecoder().Available() && IconvEncoder().Available();
}

QString DecodeWithSystem(std::string_view bytes) {
  return DecodeWithIconv(bytes);
}

std::string EncodeWithSystem(const QString& text) {
  return EncodeWithIconv(text);
}

}  // namespace cp932
