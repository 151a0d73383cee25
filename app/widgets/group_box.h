#pragma once

#include <QFont>
#include <QGroupBox>

// A group box whose frame runs through the middle of its caption, as on the
// classic desktop the window was laid out for: the caption takes half the
// room it takes in styles that set it above the frame, and the controls of
// a small group keep their room.
//
// The caption is kept here, not as QGroupBox's title: Qt makes every control
// in a titled group labelled by the group, and screen readers then say the
// group's name again with each of them. The window names the group for them
// through its accessible name.
class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  GroupBox(const QString& caption, QWidget* parent);

  const QString& Caption() const { return m_caption; }

  // Where the controls may go: below the caption, inside the frame.
  QRect Inside() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CaptionRect() const;

  QString m_caption;
  // How far below the caption's top its ink reaches, measured once per font.
  mutable QFont m_inkFont;
  mutable qreal m_captionInk = 0;
  mutable bool m_inkMeasured = false;
};
