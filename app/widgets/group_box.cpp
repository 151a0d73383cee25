#include "group_box.h"

#include <qdrawutil.h>  // qDrawShadeRect: the etched frame
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace {
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;
constexpr int kFrameWidth = 2;
}  // namespace

GroupBox::GroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(parent), m_caption(caption) {}

QRect GroupBox::CaptionRect() const {
  const QFontMetrics metrics(font());
  return {kCaptionLeft - kCaptionPadding, 0,
          metrics.horizontalAdvance(m_caption) + 2 * kCaptionPadding, metrics.height()};
}

// Below the caption's ink rather than its line: small groups need the rows.
QRect GroupBox::Inside() const {
  if (!m_inkMeasured || m_inkFont != font()) {
    const QFontMetricsF metrics(font());
    m_captionInk = metrics.ascent() + metrics.tightBoundingRect(m_caption).bottom();
    m_inkFont = font();
    m_inkMeasured = true;
  }
  const int top = static_cast<int>(std::ceil(m_captionInk)) + 1;
  return {kFrameWidth, top, width() - 2 * kFrameWidth, height() - top - kFrameWidth - 1};
}

// An etched frame in the palette's colours, as classic group boxes have.
void GroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect caption = CaptionRect();
  painter.setClipRegion(QRegion(rect()).subtracted(caption));
  qDrawShadeRect(&painter, rect().adjusted(0, caption.height() / 2, 0, 0), palette(), true, 1, 0);
  painter.setClipping(false);
  style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                        isEnabled(), m_caption, QPalette::WindowText);
}
