#include "accessible_interfaces.h"

#include <QAccessibleWidget>

#include "preview_area.h"

namespace {

// The preview's reading as a read-only document. A tool walks it by lines;
// each character reports the place of its line on the screen.
class PreviewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PreviewAccessible(PreviewArea* area) : QAccessibleWidget(area, QAccessible::Document) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
  }

  QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
  QString text(int startOffset, int endOffset) const override {
    return Area()->Reading().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Area()->Reading().size()); }
  QRect characterRect(int offset) const override {
    const QRect line = Area()->LineRect(offset);
    return line.isEmpty() ? QRect() : line.translated(Area()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }

  // Nothing to select and no caret: the reading cannot be edited.
  void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
  void removeSelection(int /*selectionIndex*/) override {}
  void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int /*position*/) override {}
  void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }

 private:
  const PreviewArea* Area() const { return static_cast<const PreviewArea*>(widget()); }
};

QAccessibleInterface* OwnInterface(const QString& className, QObject* object) {
  if (className == QLatin1String("PreviewArea")) {
    return new PreviewAccessible(static_cast<PreviewArea*>(object));
  }
  // Qt reports a plain frame with the role of a window's frame; the bevel
  // around the preview is a grouping.
  if (className == QLatin1String("QFrame") && object->objectName() == QLatin1String("Bevel1")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  }
  if (className == QLatin1String("TForm1")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  QAccessible::installFactory(OwnInterface);
}
