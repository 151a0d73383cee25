#include "preview_area.h"

#include <QAccessible>
#include <QPainter>

#include <utility>

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  setFixedSize(320, 441);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  emit Paint(painter);
}

// Set only when it changes: every change is told to the assistive tools.
void PreviewArea::SetReading(const QString& summary, const QList<PreviewLine>& pageLines) {
  QList<PreviewLine> lines{{summary, rect()}};
  lines += pageLines;
  if (lines == m_lines) return;
  const QString before = m_reading;
  m_lines = std::move(lines);
  QStringList texts;
  for (const PreviewLine& line : std::as_const(m_lines)) texts << line.text;
  m_reading = texts.join(QLatin1Char('\n'));
  setAccessibleDescription(summary);
  QAccessibleTextUpdateEvent changed(this, 0, before, m_reading);
  QAccessible::updateAccessibility(&changed);
}

QRect PreviewArea::LineRect(int offset) const {
  int lineStart = 0;
  for (const PreviewLine& line : m_lines) {
    const int lineEnd = lineStart + static_cast<int>(line.text.size());
    if (offset >= lineStart && offset <= lineEnd) return line.rect;
    lineStart = lineEnd + 1;
  }
  return {};
}
