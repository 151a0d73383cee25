#include "option_group.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

#include "option_item.h"

OptionGroup::OptionGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : GroupBox(caption, parent), m_columns(std::max(1, columns)) {
  for (int index = 0; index < items.size(); ++index) {
    auto* item = new OptionItem(items.at(index), this);
    m_buttons.addButton(item, index);
    m_items.append(item);
  }
  connect(&m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) Chosen(id);
  });
  connect(qApp, &QApplication::focusChanged, this, &OptionGroup::FocusChanged);
  UpdateTabStops();
}

void OptionGroup::SetItemIndex(int index) {
  if (index == m_itemIndex) return;
  const QScopedValueRollback fromCode(m_settingFromCode, true);
  if (index >= 0 && index < Count()) {
    m_items.at(index)->setChecked(true);  // Chosen() follows through the group
    return;
  }
  // An exclusive group never lets its last checked button go by itself.
  m_buttons.setExclusive(false);
  if (m_itemIndex >= 0) m_items.at(m_itemIndex)->setChecked(false);
  m_buttons.setExclusive(true);
  m_itemIndex = -1;
  UpdateTabStops();
}

void OptionGroup::Chosen(int index) {
  if (index == m_itemIndex) return;
  m_itemIndex = index;
  UpdateTabStops();
  if (!m_settingFromCode) {
    if (isAncestorOf(QApplication::focusWidget())) {
      EnterOnce();
    } else {
      EnteredByChoice(index);
    }
  }
  emit Click();
}

void OptionGroup::EnterOnce() {
  if (m_entered) return;
  m_entered = true;
  emit Enter();
}

// An item chosen while the focus is elsewhere, by an assistive tool's action
// or a click into an inactive window: the user has entered the group, and
// the focus follows, as it does a click.
void OptionGroup::EnteredByChoice(int index) {
  QRadioButton* item = m_items.at(index);
  item->setFocus(Qt::OtherFocusReason);  // FocusChanged() runs Enter in an active window
  if (QApplication::focusWidget() != item) {
    m_lastFocus = item;
    m_entered = false;
    EnterOnce();
  }
}

// A click into an inactive window moves the focus from the window's last
// focused control, though Qt reports it as coming from no widget; focus
// merely coming back to that control with the window runs nothing.
void OptionGroup::FocusChanged(QWidget* old, QWidget* now) {
  if (now == nullptr || now->window() != window()) return;
  QWidget* previous = old != nullptr && old->window() == window() ? old : m_lastFocus.data();
  m_lastFocus = now;
  if (previous == now) return;
  if (!isAncestorOf(now) || (previous != nullptr && isAncestorOf(previous))) return;
  m_entered = false;
  const auto* item = qobject_cast<const OptionItem*>(now);
  if (item == nullptr || !item->FocusCameByTab()) EnterOnce();
}

// Tab enters the group at its chosen item, or at its first while none is
// chosen; a click still focuses any item.
void OptionGroup::UpdateTabStops() {
  const int stop = std::max(0, m_itemIndex);
  for (int index = 0; index < Count(); ++index) {
    m_items.at(index)->setFocusPolicy(index == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void OptionGroup::resizeEvent(QResizeEvent* event) {
  GroupBox::resizeEvent(event);
  ArrangeItems();
}

void OptionGroup::changeEvent(QEvent* event) {
  GroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    ArrangeItems();
  }
}

// Items share the inside of the frame evenly, column by column, as classic
// radio groups lay them out. Each item gets the group's font set on it, so
// that an application style sheet cannot take it away.
void OptionGroup::ArrangeItems() {
  if (m_items.isEmpty()) return;
  const QRect inside = Inside();
  const int rows = (Count() + m_columns - 1) / m_columns;
  const int itemWidth = (width() - 10) / m_columns;
  const qreal share = static_cast<qreal>(inside.height()) / rows;
  const auto rowTop = [&](int row) {
    return inside.top() + static_cast<int>(std::lround(row * share));
  };

  if (!m_inkMeasured || m_inkFont != font()) MeasureInk();
  // One indicator size for the group, with a free row above and below it.
  QStyleOptionButton option;
  option.initFrom(m_items.first());
  const int styled = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this);
  const int indicator = std::max(6, std::min(styled, static_cast<int>(share) - 2));
  for (int index = 0; index < Count(); ++index) {
    auto* item = static_cast<OptionItem*>(m_items.at(index));
    const int row = index % rows;
    item->setFont(font());
    item->SetLayout(m_inkTop, m_inkBottom, indicator);
    item->SetOneRow(rows == 1);
    item->setGeometry((index / rows) * itemWidth + 8, rowTop(row), itemWidth,
                      rowTop(row + 1) - rowTop(row));
  }
}

void OptionGroup::MeasureInk() {
  const QFontMetricsF metrics(font());
  m_inkTop = 0;
  m_inkBottom = 0;
  for (const QRadioButton* item : std::as_const(m_items)) {
    const QRectF ink = metrics.tightBoundingRect(item->text());
    m_inkTop = std::min(m_inkTop, ink.top());
    m_inkBottom = std::max(m_inkBottom, ink.bottom());
  }
  m_inkFont = font();
  m_inkMeasured = true;
}
