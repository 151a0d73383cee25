#include "option_group.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

#include <algorithm>

OptionGroup::OptionGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), m_columns(std::max(1, columns)) {
  for (int index = 0; index < items.size(); ++index) {
    auto* item = new QRadioButton(items.at(index), this);
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
  emit Click();
}

void OptionGroup::FocusChanged(QWidget* old, QWidget* now) {
  // Only a move between controls of this window: not the window becoming
  // active again, nor a return from a dialog.
  if (now == nullptr || old == nullptr || old->window() != window()) return;
  if (isAncestorOf(now) && !isAncestorOf(old)) emit Enter();
}

// Tab enters the group at its chosen item only, and passes the group by when
// none is chosen; a click still focuses any item.
void OptionGroup::UpdateTabStops() {
  for (int index = 0; index < Count(); ++index) {
    m_items.at(index)->setFocusPolicy(index == m_itemIndex ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void OptionGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ArrangeItems();
}

void OptionGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) ArrangeItems();
}

// Items share the room below the caption evenly, column by column, as the
// classic Windows radio group lays them out.
void OptionGroup::ArrangeItems() {
  if (m_items.isEmpty()) return;
  const int rows = (Count() + m_columns - 1) / m_columns;
  const int captionHeight = QFontMetrics(font()).height();
  const int itemWidth = (width() - 10) / m_columns;
  const int room = height() - captionHeight - 5;
  const int itemHeight = std::max(1, room / rows);
  const int top = captionHeight + 1 + (room % rows) / 2;
  for (int index = 0; index < Count(); ++index) {
    m_items.at(index)->setGeometry((index / rows) * itemWidth + 8,
                                   (index % rows) * itemHeight + top, itemWidth, itemHeight);
  }
}
