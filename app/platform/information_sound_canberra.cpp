#include "information_sound.h"

#include <QApplication>

#include <canberra.h>

struct InformationSound::Player {
  Player() { unavailable = ca_context_create(&context) != CA_SUCCESS; }
  ~Player() {
    if (context != nullptr) ca_context_destroy(context);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  ca_context* context = nullptr;
  bool unavailable = false;
};

InformationSound::InformationSound() = default;
InformationSound::~InformationSound() = default;

void InformationSound::Play() {
  if (!m_player) m_player = std::make_unique<Player>();
  if (!m_player->unavailable &&
      ca_context_play(m_player->context, 0, CA_PROP_EVENT_ID, "dialog-information",
                      CA_PROP_EVENT_DESCRIPTION, "information", nullptr) == CA_SUCCESS) {
    return;
  }
  QApplication::beep();
}
