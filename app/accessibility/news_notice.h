#pragma once

#include <QWidget>

// What a command did, told to screen readers as a notification: an empty,
// hidden widget that is shown with each news, which a screen reader speaks
// once. Nothing of it is seen.
class NewsNotice : public QWidget {
  Q_OBJECT

 public:
  explicit NewsNotice(QWidget* parent);

  void Tell(const QString& news);
};
