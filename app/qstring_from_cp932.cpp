#include "qstring_from_cp932.h"

#include <QStringDecoder>

QString QStringFromCp932(std::string_view bytes) {
  // Stateless, so that a lead byte at the end of one text is not carried
  // into the next.
  QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}
