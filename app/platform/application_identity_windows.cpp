#include "application_identity.h"

#include <QApplication>

#include <shobjidl.h>

// The icon is the program file's own (the resource IDI_ICON1, which Qt gives
// every window). The model ID groups the program's windows on the taskbar as
// its Start menu shortcut does, when the shortcut carries the same ID.
void ApplyApplicationIdentity() {
  QApplication::setApplicationName(QStringLiteral("kakemaru"));
  SetCurrentProcessExplicitAppUserModelID(L"" KAKEMARU_APP_ID);
}
