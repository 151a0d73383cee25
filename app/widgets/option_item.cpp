#include "option_item.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

OptionItem::OptionItem(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {}

void OptionItem::SetLayout(qreal inkTop, qreal inkBottom, int indicatorSize) {
  m_inkTop = inkTop;
  m_inkBottom = inkBottom;
  m_indicatorSize = indicatorSize;
  update();
}

// Qt moves to the nearest item in the arrow's direction, and there is none
// above or below an item of a single row. Qt chooses the item it moves to
// only when it moves from a chosen one.
void OptionItem::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool arrow =
      key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
  const bool noneChosen = group() != nullptr && group()->checkedButton() == nullptr;
  if (m_oneRow && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    QKeyEvent across(event->type(), key == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                     event->modifiers(), event->text(), event->isAutoRepeat(),
                     static_cast<quint16>(event->count()));
    QRadioButton::keyPressEvent(&across);
    event->setAccepted(across.isAccepted());
  } else {
    QRadioButton::keyPressEvent(event);
  }
  if (!arrow || !noneChosen) return;
  auto* moved = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
  if (moved != nullptr && moved->group() == group()) moved->click();
}

void OptionItem::focusInEvent(QFocusEvent* event) {
  m_focusCameByTab =
      event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  QRadioButton::focusInEvent(event);
}

void OptionItem::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  const int indicator = m_indicatorSize;
  QStyleOptionButton circle = option;
  circle.rect = QRect(0, (height() - indicator) / 2, indicator, indicator);
  style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &circle, &painter, this);

  const int spacing = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
  const qreal left = indicator + spacing;
  // Centre the ink band, not the font's line box: Japanese glyphs fill the
  // em, and a share may be lower than the line.
  const qreal baseline = (height() - (m_inkBottom - m_inkTop)) / 2 - m_inkTop;
  const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                     : isActiveWindow() ? QPalette::Active
                                                        : QPalette::Inactive;
  painter.setPen(palette().color(group, QPalette::WindowText));
  painter.drawText(QPointF(left, std::round(baseline)), text());

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    const qreal width = QFontMetricsF(font()).horizontalAdvance(text());
    focus.rect = QRect(static_cast<int>(left) - 1, 0,
                       std::min(static_cast<int>(std::ceil(width)) + 2,
                                this->width() - static_cast<int>(left) + 1),
                       height());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

bool OptionItem::hitButton(const QPoint& position) const {
  return rect().contains(position);
}
