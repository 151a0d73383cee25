#pragma once

#include <QString>

#include "application_identity.h"
#include "information_sound.h"
#include "notifier.h"

// The message followed by "." when its last character sorts above ".".
QString WithFullStop(const QString& message);

// The Notifier of the running program: real modal message boxes.
class MessageBoxes final : public Notifier {
 public:
  void Refusal(QWidget* parent, const QString& message) override;
  void Error(QWidget* parent, const QString& message) override;

 private:
  InformationSound m_sound;
};
