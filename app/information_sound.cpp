#include "information_sound.h"

#include <QApplication>

#include <canberra.h>

InformationSound::~InformationSound() {
  if (m_context != nullptr) ca_context_destroy(m_context);
}

void InformationSound::Play() {
  if (m_context == nullptr && !m_unavailable) {
    m_unavailable = ca_context_create(&m_context) != CA_SUCCESS;
  }
  if (!m_unavailable &&
      ca_context_play(m_context, 0, CA_PROP_EVENT_ID, "dialog-information",
                      CA_PROP_EVENT_DESCRIPTION, "information", nullptr) == CA_SUCCESS) {
    return;
  }
  QApplication::beep();
}
