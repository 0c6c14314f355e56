// The About box frmAbout: name, version, description and disclaimer. One instance for the whole
// run; OK, Enter and Escape hide it, and the next click on "About" shows it again.
#pragma once

#include <QDialog>

class QLabel;

namespace korvex::ui {

class frmAbout final : public QDialog {
 public:
  explicit frmAbout(QWidget* parent = nullptr);
  QLabel* lblAboutVersion;
};

}  // namespace korvex::ui
