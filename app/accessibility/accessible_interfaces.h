#pragma once

// Accessible interfaces that Qt's own do not give, for screen readers: the
// main window as a window (Qt calls a plain widget a "client" area), and the
// preview as a text to read line by line. Installed once; later calls do
// nothing.
void InstallAccessibleInterfaces();
