// Messages and questions as message boxes: the information icon, the caption "Korvex", and for
// questions the buttons Yes and No with No as the default.
#pragma once

#include "window/dialogs.h"

class QWidget;

namespace korvex::ui {

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  void message(std::string_view text) override;
  bool ask(std::string_view question) override;

 private:
  QWidget* parent_;
};

}  // namespace korvex::ui
