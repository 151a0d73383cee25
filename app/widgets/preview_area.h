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
// the sheet, the first line,
// followed by the page's texts in reading order, one per line. The area is a
// stop of the Tab order; there Up and Down (Page Up and Page Down, Ctrl+Home
// and Ctrl+End) move a caret from line to line, which assistive tools
// follow. Only the focus frame shows it to the eye.
class PreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewArea(QWidget* parent);

  // A new reading is read from its first line.
  void SetReading(const QString& summary, const QList<PreviewLine>& pageLines);
  const QString& Reading() const { return m_reading; }
  // The place of the line that holds the character at offset, or an empty rectangle.
  QRect LineRect(int offset) const;
  // Where the line that holds the character at offset starts.
  int LineStart(int offset) const { return m_lineStarts.value(LineOf(offset)); }
  // Where the caret's line starts in the reading.
  int CaretOffset() const;
  // Puts the caret on the line that holds the character at offset.
  void SetCaretOffset(int offset);

 signals:
  void Paint(QPainter& painter);
  // A key would move the caret past the first line (atTop) or the last.
  void EndReached(bool atTop);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void MoveCaret(int line);
  int LineOf(int offset) const;
  // The strip along the edge where the focus frame is drawn: repainting it
  // leaves the page inside as it was drawn.
  QRegion FrameStrip() const;

  QList<PreviewLine> m_lines;
  QList<int> m_lineStarts;
  QString m_reading;
  int m_caretLine = 0;
};
