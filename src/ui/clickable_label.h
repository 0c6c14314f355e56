// A label that reports a click, or Space or Enter when it has the focus: the "About" link.
#pragma once

#include <QLabel>

namespace korvex::ui {

class ClickableLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(const QString& text) : QLabel(text) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(text);
  }

 signals:
  void clicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace korvex::ui
