// A label that reports a click, for the "About" link.
#pragma once

#include <QLabel>

namespace korvex::ui {

class ClickableLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace korvex::ui
