#pragma once

#include <QString>

// The program's title: on its error boxes, and the title of its print jobs.
inline const QString kProgramTitle = QStringLiteral("ｶｹﾏﾙ九九");

// The program's name, desktop entry and icon, as the desktop shows them.
// No display name: Qt would append it to the title of every window.
void ApplyApplicationIdentity();
