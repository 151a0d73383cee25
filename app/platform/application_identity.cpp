#include "application_identity.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

void ApplyApplicationIdentity() {
  QApplication::setApplicationName(QStringLiteral("kakemaru"));
  QApplication::setDesktopFileName(QStringLiteral(KAKEMARU_APP_ID));
  // The icon built into the program, or, in a build without it, the one the
  // desktop's icon theme has under the program's name, if any.
  const QString builtIn = QStringLiteral(":/icons/256/" KAKEMARU_APP_ID ".png");
  QApplication::setWindowIcon(
      QFile::exists(builtIn) ? QIcon(builtIn) : QIcon::fromTheme(QStringLiteral(KAKEMARU_APP_ID)));
}
