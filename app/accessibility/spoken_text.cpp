#include "spoken_text.h"

namespace {

constexpr char16_t kCircledOne = u'\u2460';     // ①
constexpr char16_t kCircledTwenty = u'\u2473';  // ⑳

}  // namespace

QString SpokenText(const QString& shown) {
  QString spoken;
  spoken.reserve(shown.size() + 8);
  for (const QChar c : shown) {
    if (c >= QChar(kCircledOne) && c <= QChar(kCircledTwenty)) {
      spoken += QString::number(c.unicode() - kCircledOne + 1) + QStringLiteral("番、");
    } else {
      spoken += c;
    }
  }
  spoken = spoken.normalized(QString::NormalizationForm_KC);
  spoken.replace(QStringLiteral("[ ]"), QStringLiteral("四角"));
  spoken.replace(QChar(u'×'), QStringLiteral("かける"));
  spoken.replace(QLatin1Char('='), QStringLiteral("は"));
  return spoken.simplified();
}
