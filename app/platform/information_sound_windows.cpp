#include "information_sound.h"

#include <QApplication>

#include <windows.h>

// Nothing to keep: Windows plays its own sound.
struct InformationSound::Player {};

InformationSound::InformationSound() = default;
InformationSound::~InformationSound() = default;

// The sound the user chose for information ("Asterisk"), as message boxes
// with the information icon play it; the toolkit's beep when it cannot play.
void InformationSound::Play() {
  if (MessageBeep(MB_ICONASTERISK) == FALSE) QApplication::beep();
}
