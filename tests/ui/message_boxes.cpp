#include "message_boxes.h"

#include <QApplication>
#include <QPushButton>

namespace korvex::test {

MessageBoxes::MessageBoxes() {
  // Polled: a modal box runs its own event loop, in which timers still fire.
  connect(&poll_, &QTimer::timeout, this, [this] { answerOpenBox(); });
  poll_.start(10);
}

std::vector<QString> MessageBoxes::texts() const {
  std::vector<QString> out;
  for (const SeenBox& b : seen) out.push_back(b.text);
  return out;
}

void MessageBoxes::answerOpenBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box || !box->isVisible() || answering_) return;
  answering_ = true;
  if (beforeAnswer) beforeAnswer();
  answering_ = false;
  seen.push_back(
      {box->windowTitle(), box->text(), box->icon(),
       static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No)});
  QAbstractButton* yes = box->button(QMessageBox::Yes);
  (yes ? yes : box->button(QMessageBox::Ok))->click();
}

}  // namespace korvex::test
