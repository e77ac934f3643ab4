// A caption that acts on a click, as the clipboard check boxes' texts do.
#pragma once

#include <QLabel>

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};
