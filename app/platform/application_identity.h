#pragma once

#include <QString>

#include "program_names.h"

// The program's title: on its error boxes, and the title of its print jobs.
inline const QString kProgramTitle = QStringLiteral(KAKEMARU_TITLE);

// The program's name, desktop entry and icon, as the desktop shows them.
// No display name: Qt would append it to the title of every window.
void ApplyApplicationIdentity();
