// Drives the window through a short scan of a site and saves a picture of each tab, of the
// Search Parameters tab with a list of URLs, of the Details grid filtered and of the About box:
// screenshot_tour DIR URL; with a third argument NAME, only the Search Results tab after the scan,
// as NAME.png (the script runs it at a scale factor of 2 for scaled.png).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <iostream>

#include "message_boxes.h"
#include "ui/frm_about.h"
#include "ui/frm_korvex.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: screenshot_tour DIR URL [NAME]\n";
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  korvex::ui::frmKorvex window([] { return true; });
  window.show();
  korvex::test::MessageBoxes boxes;
  auto* tabs = window.findChild<QTabWidget*>("SSTab1");
  window.findChild<QLineEdit*>("txtBaseURL")->setText(QString::fromLocal8Bit(argv[2]));
  auto shoot = [&](QWidget* w, const char* name) {
    QApplication::processEvents();
    w->grab().save(dir + "/" + name);
  };
  QTimer::singleShot(300, [&] {
    window.findChild<QCheckBox*>("chkCheckDomains")->setChecked(true);
    window.findChild<QPushButton*>("cmdScan")->click();
    // As a user waits: the window's timers bring the results until the scan ends.
    for (int i = 0; i < 3000 && window.scanning(); ++i) QTest::qWait(10);
    tabs->setCurrentIndex(0);
    if (argc == 4) {
      shoot(&window, (std::string(argv[3]) + ".png").c_str());
      app.quit();
      return;
    }
    shoot(&window, "search-results.png");
    tabs->setCurrentIndex(1);
    shoot(&window, "search-parameters.png");
    window.findChild<QRadioButton*>("optURLList")->setChecked(true);
    window.findChild<QPlainTextEdit*>("txtURLList")
        ->setPlainText(
            QStringLiteral("# our sites\nhttp://www.example.com/\nhttp://shop.example.org/"));
    shoot(&window, "search-parameters-list.png");
    window.findChild<QRadioButton*>("optURL")->setChecked(true);
    tabs->setCurrentIndex(2);
    shoot(&window, "details.png");
    window.findChild<QLineEdit*>("txtFilter")->setText(QStringLiteral("sec3/"));
    shoot(&window, "details-filtered.png");
    window.findChild<QLineEdit*>("txtFilter")->clear();
    tabs->setCurrentIndex(3);
    shoot(&window, "domains.png");
    tabs->setCurrentIndex(0);
    window.findChild<QWidget*>("lblAbout")->setFocus();
    window.about()->show();
    QTimer::singleShot(300, [&] {
      shoot(window.about(), "about.png");
      app.quit();
    });
  });
  const int status = app.exec();
  std::cout << "screenshots in " << dir.toStdString() << "\n";
  return status;
}
