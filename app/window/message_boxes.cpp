#include "message_boxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "form/captions.h"
#include "qt_platform_text.h"

namespace {

// The box tells assistive tools which box it is, whatever its title; they
// read its message from its text, once, in words speech engines say.
void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
             const QString& which) {
  QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
  box.setAccessibleName(which);
  if (auto* message = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    message->setAccessibleName(SpokenText(text));
  }
  box.addButton(QStringFromUtf8(form::kOkCaption), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace

QString WithFullStop(const QString& message) {
  return QString::fromStdString(form::WithFullStop(message.toStdString()));
}

void MessageBoxes::Refusal(QWidget* parent, const QString& message) {
  m_sound.Play();
  // Not named 警告 after its title: a reader says 警告 for its role already.
  ShowBox(parent, QMessageBox::Warning, QStringFromUtf8(form::kWarningTitle), message,
          QStringLiteral("問題を作れません"));
}

void MessageBoxes::Error(QWidget* parent, const QString& message) {
  ShowBox(parent, QMessageBox::Critical, kProgramTitle, WithFullStop(message),
          QStringLiteral("エラー"));
}
