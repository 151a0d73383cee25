#include "qt_platform_text.h"

#include "cp932_codec.h"
#include "form/sheet_reading.h"

std::string QtPlatformText::Utf8FromCp932(std::string_view bytes) const {
  return QStringFromCp932(bytes).toStdString();
}

std::string QtPlatformText::Nfkc(std::string_view utf8) const {
  return QStringFromUtf8(utf8).normalized(QString::NormalizationForm_KC).toStdString();
}

QString QStringFromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SpokenText(const QString& shown) {
  return QStringFromUtf8(form::SpokenText(QtPlatformText(), shown.toStdString()));
}
