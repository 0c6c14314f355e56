// The "Search Results" tab: Start, Pause and Stop, the status, the scanned URLs and the
// addresses found, the four counters, the URLs robots.txt refused, the version and the link to
// the About box.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvex::ui {

class ClickableLabel;
class ResultListView;

class SearchResultsTab final : public QWidget {
 public:
  explicit SearchResultsTab(QWidget* parent = nullptr);

  QPushButton* cmdScan;
  QPushButton* cmdPause;
  QPushButton* cmdStop;
  QLabel* lblStatus;
  // Beside the status while a scan runs: the level being read and the pages read per second.
  QLabel* lblProgress;
  QLabel* lblDetails;
  ResultListView* txtURLs;
  ResultListView* txtEmail;
  QLineEdit* txtNoOfExtUrl;
  QLineEdit* txtNoOfValidUrls;
  QLineEdit* txtNoOfURLs;
  QLineEdit* txtNoOfEmails;
  QLineEdit* txtNoOfOutOfScope;
  QLabel* lblRefused;
  QLineEdit* txtNoOfRefused;
  QLabel* lblVersion;
  ClickableLabel* lblAbout;
};

}  // namespace korvex::ui
