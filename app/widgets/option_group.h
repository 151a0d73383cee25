#pragma once

#include <QButtonGroup>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QStringList>

#include "group_box.h"

class QRadioButton;

// A captioned group of option buttons with one chosen item (or none, -1),
// its items filled column by column. Click runs when the chosen item changes
// to an item, by the user or from code; not for a click on the chosen item
// nor for clearing to none. Enter runs when the user enters the group: a
// click moves the keyboard focus into it from another control of the window
// (also a click that activates the window), or the user chooses one of its
// items, with the keyboard or an assistive tool's action. Focus arriving by
// Tab enters nothing until an item is chosen: a keyboard user passing by
// changes nothing. Tab stops at the chosen item, or at the first while none
// is chosen, where Space or an arrow key chooses.
class OptionGroup : public GroupBox {
  Q_OBJECT

 public:
  OptionGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

  int ItemIndex() const { return m_itemIndex; }
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(m_items.size()); }
  QRadioButton* Item(int index) const { return m_items.at(index); }

 signals:
  void Click();
  void Enter();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Chosen(int index);
  void EnteredByChoice(int index);
  void EnterOnce();
  void FocusChanged(QWidget* old, QWidget* now);
  void ArrangeItems();
  void MeasureInk();
  void UpdateTabStops();

  QButtonGroup m_buttons;
  QList<QRadioButton*> m_items;
  int m_columns = 1;
  int m_itemIndex = -1;
  bool m_settingFromCode = false;
  bool m_entered = false;         // Enter has run since the focus last arrived
  QPointer<QWidget> m_lastFocus;  // the window's focused control, kept while it is inactive
  // The captions' ink band, measured once per font: shaping every caption
  // again at each resize and font change would only give the same band.
  QFont m_inkFont;
  qreal m_inkTop = 0;
  qreal m_inkBottom = 0;
  bool m_inkMeasured = false;
};
