#pragma once

// Accessible interfaces that Qt's own do not give, for screen readers: the
// main window as a window (Qt calls a plain widget a "client" area), the
// preview as a text to read line by line with a caret, and the news notice as
// a notification. Installed once; later calls do nothing.
void InstallAccessibleInterfaces();
