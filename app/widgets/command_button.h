#pragma once

#include <QPushButton>

// A push button that Return (or Enter) presses while it has the focus, as
// buttons do on every desktop, without being a default button: it looks as
// any other button does, and Return on another control presses nothing.
// Return and Enter work as Space does: the button goes down with the key and
// is pressed when the key is let go, so that a key held down presses once,
// whatever repeats the window system sends meanwhile.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  CommandButton(const QString& caption, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
};
