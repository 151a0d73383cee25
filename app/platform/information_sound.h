#pragma once

#include <memory>

// The desktop's information sound ("dialog-information" of the freedesktop
// sound theme, through libcanberra), or the toolkit's beep where the desktop
// cannot play it or the build has no libcanberra.
class InformationSound {
 public:
  InformationSound();
  ~InformationSound();
  InformationSound(const InformationSound&) = delete;
  InformationSound& operator=(const InformationSound&) = delete;

  void Play();

 private:
  struct Player;  // what the build plays the sound with, made at the first Play
  std::unique_ptr<Player> m_player;
};
