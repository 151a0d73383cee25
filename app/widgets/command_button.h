#pragma once

#include <QPushButton>

// A push button that Return (or Enter) presses while it has the focus, as
// buttons do on every desktop, without being a default button: it looks as
// any other button does, and Return on another control presses nothing. A
// key held down presses once.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  CommandButton(const QString& caption, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
