#pragma once

class QString;
class QWidget;

// How a command tells the user that it refused or failed. The window talks
// only to this, so that tests can take the messages without modal boxes.
class Notifier {
 public:
  virtual ~Notifier() = default;

  // The information sound, then a modal warning box titled "警告".
  virtual void Refusal(QWidget* parent, const QString& message) = 0;
  // A modal error box titled with the program's title; the message gets a
  // full stop unless it ends in one or lower.
  virtual void Error(QWidget* parent, const QString& message) = 0;
};
