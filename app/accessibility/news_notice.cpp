#include "news_notice.h"

#include "accessible_interfaces.h"
#include "cp932_text_decoder.h"
#include "form/sheet_reading.h"

NewsNotice::NewsNotice(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("NewsNotice"));
  SetAccessibleRole(this, QAccessible::Notification);
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(QStringLiteral("お知らせはありません"));
  hide();
}

// Shown anew each time, so that the same news twice is told twice.
void NewsNotice::Tell(const QString& news) {
  hide();
  setAccessibleName(QStringFromUtf8(form::SpokenText(news.toStdString())));
  show();
}
