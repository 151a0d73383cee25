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
  // A line with the newline that ends it, as AT-SPI's line boundaries are;
  // screen readers drop the last character of a line for its newline.
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override {
    if (boundary != QAccessible::LineBoundary) {
      return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    }
    const QString& reading = Area()->Reading();
    *startOffset = Area()->LineStart(offset);
    const auto newline = reading.indexOf(QLatin1Char('\n'), *startOffset);
    *endOffset = newline < 0 ? static_cast<int>(reading.size()) : static_cast<int>(newline) + 1;
    return reading.mid(*startOffset, *endOffset - *startOffset);
  }
  QRect characterRect(int offset) const override {
    const QRect line = Area()->LineRect(offset);
    return line.isEmpty() ? QRect() : line.translated(Area()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }

  // Nothing to select: the reading cannot be edited. The caret stands at
  // the start of a line.
  void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
  void removeSelection(int /*selectionIndex*/) override {}
  void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
  int cursorPosition() const override { return Area()->CaretOffset(); }
  void setCursorPosition(int position) override { Area()->SetCaretOffset(position); }
  void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
  // One run without attributes over the whole reading: screen readers split
  // a line at the runs, and an empty run loses a character.
  QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 private:
  PreviewArea* Area() const { return static_cast<PreviewArea*>(widget()); }
};

constexpr char kRoleProperty[] = "kakemaruAccessibleRole";

QAccessibleInterface* OwnInterface(const QString& /*className*/, QObject* object) {
  if (auto* area = qobject_cast<PreviewArea*>(object)) return new PreviewAccessible(area);
  auto* widget = qobject_cast<QWidget*>(object);
  const QVariant role = object->property(kRoleProperty);
  if (widget == nullptr || !role.isValid()) return nullptr;
  return new QAccessibleWidget(widget, role.value<QAccessible::Role>());
}

}  // namespace

void InstallAccessibleInterfaces() {
  QAccessible::installFactory(OwnInterface);
}

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
  widget->setProperty(kRoleProperty, QVariant::fromValue(role));
}
