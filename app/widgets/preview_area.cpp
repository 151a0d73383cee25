#include "preview_area.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

#include "form/sheet_reading.h"

namespace {
constexpr int kFrameWidth = 2;
}  // namespace

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  setFixedSize(320, 441);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  // Reached with Tab only: a click on the page keeps the focus where it was.
  setFocusPolicy(Qt::TabFocus);
}

void PreviewArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.save();
  emit Paint(painter);
  painter.restore();
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

QRegion PreviewArea::FrameStrip() const {
  return QRegion(rect()).subtracted(
      rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth));
}

void PreviewArea::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(FrameStrip());
}

void PreviewArea::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(FrameStrip());
}

// Set only when it changes: every change is told to the assistive tools.
void PreviewArea::SetReading(const QString& summary, const QList<PreviewLine>& pageLines) {
  QList<PreviewLine> lines{{summary, rect()}};
  lines += pageLines;
  if (lines == m_lines) return;
  const QString before = m_reading;
  m_lines = std::move(lines);
  m_lineStarts.clear();
  QStringList texts;
  int start = 0;
  for (const PreviewLine& line : std::as_const(m_lines)) {
    texts << line.text;
    m_lineStarts << start;
    start += static_cast<int>(line.text.size()) + 1;
  }
  m_reading = texts.join(QLatin1Char('\n'));
  QAccessibleTextUpdateEvent changed(this, 0, before, m_reading);
  QAccessible::updateAccessibility(&changed);
  m_caretLine = 0;
  // Read again from the top by whoever is reading it now.
  if (hasFocus()) {
    QAccessibleTextCursorEvent caretMoved(this, CaretOffset());
    QAccessible::updateAccessibility(&caretMoved);
  }
}

int PreviewArea::LineOf(int offset) const {
  const auto after = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), offset);
  return std::max(0, static_cast<int>(after - m_lineStarts.cbegin()) - 1);
}

QRect PreviewArea::LineRect(int offset) const {
  if (offset < 0 || offset > m_reading.size() || m_lines.isEmpty()) return {};
  return m_lines.at(LineOf(offset)).rect;
}

int PreviewArea::CaretOffset() const {
  return m_lineStarts.value(m_caretLine);
}

void PreviewArea::SetCaretOffset(int offset) {
  MoveCaret(LineOf(offset));
}

void PreviewArea::MoveCaret(int line) {
  const int to = std::clamp(line, 0, std::max(0, static_cast<int>(m_lines.size()) - 1));
  if (to == m_caretLine) {
    // A caret that cannot move tells nothing; the reader hears of the end.
    if (line != to) emit EndReached(to == 0);
    return;
  }
  m_caretLine = to;
  QAccessibleTextCursorEvent caretMoved(this, CaretOffset());
  QAccessible::updateAccessibility(&caretMoved);
}

void PreviewArea::keyPressEvent(QKeyEvent* event) {
  const int last = static_cast<int>(m_lines.size()) - 1;
  switch (event->key()) {
    case Qt::Key_Up:
      MoveCaret(m_caretLine - 1);
      break;
    case Qt::Key_Down:
      MoveCaret(m_caretLine + 1);
      break;
    case Qt::Key_PageUp:
      MoveCaret(m_caretLine - form::kReadingPageStep);
      break;
    case Qt::Key_PageDown:
      MoveCaret(m_caretLine + form::kReadingPageStep);
      break;
    case Qt::Key_Home:
      if (event->modifiers() & Qt::ControlModifier) MoveCaret(0);
      break;
    case Qt::Key_End:
      if (event->modifiers() & Qt::ControlModifier) MoveCaret(last);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
}
