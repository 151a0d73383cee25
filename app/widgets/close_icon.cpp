#include "close_icon.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {

constexpr int kSide = 16;

QPixmap DrawnCross(const QColor& color, int ratio) {
  QPixmap pixmap(kSide * ratio, kSide * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QPen pen(color, 2.0);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.drawLine(QPointF(4, 4), QPointF(12, 12));
  painter.drawLine(QPointF(12, 4), QPointF(4, 12));
  return pixmap;
}

// Lives as the button's child, so it goes with the button.
class CloseIconKeeper : public QObject {
 public:
  explicit CloseIconKeeper(QAbstractButton* button) : QObject(button), m_button(button) {
    m_button->setIcon(CloseIcon(m_button->palette()));
    m_button->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == m_button && (type == QEvent::PaletteChange || type == QEvent::StyleChange)) {
      m_button->setIcon(CloseIcon(m_button->palette()));
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QAbstractButton* m_button;
};

}  // namespace

QIcon CloseIcon(const QPalette& palette) {
  const QColor color = palette.color(QPalette::Active, QPalette::ButtonText);
  QIcon icon;
  for (const int ratio : {1, 2}) icon.addPixmap(DrawnCross(color, ratio));
  return icon;
}

void SetCloseIcon(QAbstractButton* button) {
  new CloseIconKeeper(button);
}
