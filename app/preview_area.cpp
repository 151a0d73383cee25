#include "preview_area.h"

#include <QPainter>

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  setFixedSize(320, 441);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  emit Paint(painter);
}
