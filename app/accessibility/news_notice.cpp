#include "news_notice.h"

#include "accessible_interfaces.h"
#include "qt_platform_text.h"

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
  setAccessibleName(SpokenText(news));
  show();
}
