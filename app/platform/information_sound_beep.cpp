#include "information_sound.h"

#include <QApplication>

// Nothing to keep: the toolkit's beep is the sound.
struct InformationSound::Player {};

InformationSound::InformationSound() = default;
InformationSound::~InformationSound() = default;

void InformationSound::Play() {
  QApplication::beep();
}
