#include "command_button.h"

#include <QKeyEvent>

namespace {

bool IsReturn(const QKeyEvent& event) {
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

}  // namespace

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
  setAutoDefault(false);
  setDefault(false);
}

// A repeat, or a press that comes while the button is down, only holds it
// down: X11 with detectable repeats sends the press again without a release.
void CommandButton::keyPressEvent(QKeyEvent* event) {
  if (!IsReturn(*event)) {
    QPushButton::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) setDown(true);
}

// The release of a key held through a dialog the press opened, or pressed
// while the window was busy, finds the button up and presses nothing.
void CommandButton::keyReleaseEvent(QKeyEvent* event) {
  if (!IsReturn(*event)) {
    QPushButton::keyReleaseEvent(event);
    return;
  }
  if (event->isAutoRepeat() || !isDown()) return;
  setDown(false);
  click();
}
