#pragma once

#include <QRadioButton>

// One item of an option group. It draws within its own share of the group,
// however small: the indicator shrinks to fit the share, the caption is
// centred on the ink of the group's captions and clipped at the share's
// edges, and the whole share takes clicks, as classic radio groups do. In a
// group of one row, Up and Down move as Left and Right do; in a group with
// no item chosen, an arrow key chooses the item it moves to.
class OptionItem : public QRadioButton {
  Q_OBJECT

 public:
  OptionItem(const QString& caption, QWidget* parent);

  // The band of the group's captions' ink, relative to the baseline (top
  // negative), so that every item of a group sits on one baseline, and the
  // size of the indicator, the same for every item of the group.
  void SetLayout(qreal inkTop, qreal inkBottom, int indicatorSize);
  // Whether the item's group has a single row.
  void SetOneRow(bool oneRow) { m_oneRow = oneRow; }
  qreal InkTop() const { return m_inkTop; }
  qreal InkBottom() const { return m_inkBottom; }
  int IndicatorSize() const { return m_indicatorSize; }
  // Whether the keyboard focus last came to this item by Tab or Shift+Tab.
  bool FocusCameByTab() const { return m_focusCameByTab; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool hitButton(const QPoint& position) const override;

 private:
  qreal m_inkTop = 0;
  qreal m_inkBottom = 0;
  int m_indicatorSize = 13;
  bool m_oneRow = false;
  bool m_focusCameByTab = false;
};
