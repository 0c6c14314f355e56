// The "Search Parameters" tab: the mode, the base URL, keywords or list of URLs, depth, page limit,
// time limit, threads, the URL and page keyword rules with their conditions, and how politely sites
// are crawled (robots.txt, the delay per host, the agent string).
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace korvex::ui {

class SearchParametersTab final : public QWidget {
 public:
  explicit SearchParametersTab(QWidget* parent = nullptr);

  QRadioButton* optURL;
  QRadioButton* optKeyword;
  QRadioButton* optURLList;
  // Shown with optURLList: the start URLs, one a line, and the button that loads them from a file.
  QPlainTextEdit* txtURLList;
  QPushButton* cmdLoadURLs;
  // Shown with optKeyword: a metasearch engine that answers JSON, used instead of the default.
  QLineEdit* txtEngineJson;
  QLabel* lblSearch;
  QLineEdit* txtBaseURL;
  QComboBox* cboDepth;
  QLineEdit* txtNoOfPages;
  QLineEdit* txtMaxTime;
  QComboBox* cboThreads;
  QPlainTextEdit* txtURLMustKeyword;
  QPlainTextEdit* txtURLMustNotKeyword;
  QGroupBox* fraURLMust;
  QRadioButton* OptURLAny;
  QRadioButton* OptURLAll;
  QPlainTextEdit* txtPagesMustKeyword;
  QPlainTextEdit* txtPagesMustNotKeyword;
  QGroupBox* fraPageMust;
  QRadioButton* OptPagesAny;
  QRadioButton* OptPagesAll;
  QCheckBox* chkObeyRobots;
  QLineEdit* txtDelayPerHost;
  QLineEdit* txtUserAgent;
  QComboBox* cboScope;
  QCheckBox* chkSitemaps;
  QCheckBox* chkCheckDomains;
  QCheckBox* chkDocuments;
};

}  // namespace korvex::ui
