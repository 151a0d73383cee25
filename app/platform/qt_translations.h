#pragma once

// Makes Qt's own dialogs and standard buttons speak Japanese, from the Qt
// translations installed on the system. Returns whether they were found.
bool InstallJapaneseQtTranslations();
