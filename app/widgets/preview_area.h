#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

// One line of what the preview reads out, and where it stands in the area.
struct PreviewLine {
  QString text;
  QRect rect;

  friend bool operator==(const PreviewLine&, const PreviewLine&) = default;
};

// The preview of the page (PaintBox1): a fixed 320 × 441 area that leaves
// its drawing to the window. Nothing is filled by itself, so the window's
// background shows wherever the page is not drawn.
//
// For those who cannot see it, the area also holds its reading: a summary of
// the sheet it shows, which is its accessible description and the first
// line, followed by the page's texts in reading order, one per line.
class PreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewArea(QWidget* parent);

  void SetReading(const QString& summary, const QList<PreviewLine>& pageLines);
  const QString& Reading() const { return m_reading; }
  // The place of the line that holds the character at offset, or an empty rectangle.
  QRect LineRect(int offset) const;

 signals:
  void Paint(QPainter& painter);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<PreviewLine> m_lines;
  QString m_reading;
};
