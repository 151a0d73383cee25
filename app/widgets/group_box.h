#pragma once

#include <QGroupBox>

// A group box whose frame runs through the middle of its caption, as on the
// classic desktop the window was laid out for: the caption takes half the
// room it takes in styles that set it above the frame, and the controls of
// a small group keep their room.
class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  GroupBox(const QString& caption, QWidget* parent);

  // Where the controls may go: below the caption, inside the frame.
  QRect Inside() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CaptionRect() const;
};
