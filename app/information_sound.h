#pragma once

struct ca_context;

// The desktop's information sound ("dialog-information" of the freedesktop
// sound theme, through libcanberra), or the toolkit's beep where the desktop
// cannot play it.
class InformationSound {
 public:
  InformationSound() = default;
  ~InformationSound();
  InformationSound(const InformationSound&) = delete;
  InformationSound& operator=(const InformationSound&) = delete;

  void Play();

 private:
  ca_context* m_context = nullptr;
  bool m_unavailable = false;
};
