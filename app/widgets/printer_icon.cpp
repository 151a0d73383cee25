#include "printer_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap DrawnPrinter() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QColor(40, 40, 40));
  painter.setBrush(Qt::white);
  painter.drawRect(4, 1, 7, 5);  // paper going in
  painter.setBrush(QColor(150, 150, 160));
  painter.drawRect(1, 6, 13, 6);  // body
  painter.setBrush(Qt::white);
  painter.drawRect(4, 10, 7, 5);  // sheet coming out
  painter.setPen(QColor(0, 160, 0));
  painter.drawPoint(12, 8);  // power lamp
  return pixmap;
}

}  // namespace

QIcon PrinterIcon() {
  return QIcon::fromTheme(QStringLiteral("document-print"), QIcon(DrawnPrinter()));
}
