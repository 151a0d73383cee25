#pragma once

#include <QStringList>

#include "notifier.h"

// Takes the messages that the program would show in modal boxes.
class RecordingNotifier : public Notifier {
 public:
  void Refusal(QWidget* /*parent*/, const QString& message) override { refusals << message; }
  void Error(QWidget* /*parent*/, const QString& message) override { errors << message; }

  QStringList refusals;
  QStringList errors;
};
