#include "application_identity.h"

#include <QApplication>
#include <QIcon>

void ApplyApplicationIdentity() {
  QApplication::setApplicationName(QStringLiteral("kakemaru"));
  QApplication::setDesktopFileName(QStringLiteral(KAKEMARU_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/256/" KAKEMARU_APP_ID ".png")));
}
