#pragma once

#include <QWidget>

class QPainter;

// The preview of the page (PaintBox1): a fixed 320 × 441 area that leaves
// its drawing to the window. Nothing is filled by itself, so the window's
// background shows wherever the page is not drawn.
class PreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewArea(QWidget* parent);

 signals:
  void Paint(QPainter& painter);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
