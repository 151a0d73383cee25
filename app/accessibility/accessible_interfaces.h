#pragma once

#include <QAccessible>

class QWidget;

// Accessible interfaces that Qt's own do not give, for screen readers: the
// preview as a text to read line by line with a caret, and any widget with
// the role it was given below. Installed once; later calls do nothing.
void InstallAccessibleInterfaces();

// The role a screen reader is told for this widget, where Qt's is wrong for
// it: Qt calls a plain widget a "client" area and a plain frame a window's
// frame.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
