#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "spoken_text.h"

namespace {

// The box tells assistive tools which box it is, whatever its title, and its
// message in words speech engines read.
void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
             const QString& which) {
  QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
  box.setAccessibleName(which);
  box.setAccessibleDescription(SpokenText(text));
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace

QString WithFullStop(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void MessageBoxes::Refusal(QWidget* parent, const QString& message) {
  m_sound.Play();
  ShowBox(parent, QMessageBox::Warning, QStringLiteral("警告"), message, QStringLiteral("警告"));
}

void MessageBoxes::Error(QWidget* parent, const QString& message) {
  ShowBox(parent, QMessageBox::Critical, kProgramTitle, WithFullStop(message),
          QStringLiteral("エラー"));
}
