#include "ui/qt_dialogs.h"

#include <QMessageBox>

#include "window/window_defaults.h"

namespace korvex::ui {
namespace {

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtDialogs::message(std::string_view text) {
  QMessageBox box(QMessageBox::Information, qs(kTitle), qs(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtDialogs::ask(std::string_view question) {
  QMessageBox box(QMessageBox::Information, qs(kTitle), qs(question),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace korvex::ui
