// Answers the window's message boxes as a user would: each box that opens is recorded (caption,
// icon, text, default button) and closed with Yes for questions, OK otherwise.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace korvex::test {

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
  bool noIsDefault;
};

class MessageBoxes final : public QObject {
 public:
  MessageBoxes();
  std::function<void()> beforeAnswer;  // runs while the box is still open
  std::vector<SeenBox> seen;
  std::vector<QString> texts() const;

 private:
  void answerOpenBox();
  QTimer poll_;
  bool answering_ = false;
};

}  // namespace korvex::test
