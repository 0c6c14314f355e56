// The main window frmKorvex: banner, the three tabs, the help line, the delimiter, Save and Exit.
// A front end of the scan controller: the buttons call it, and it writes the window through
// the engine's window interface.
#pragma once

#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "output/result_formats.h"
#include "session/online_probe.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace korvex {
class ScanControl;
}

namespace korvex::ui {

class DetailsTab;
class DomainsTab;
class QtDialogs;
class ResultsModel;
class SearchParametersTab;
class SearchResultsTab;
class WidgetWindow;
class frmAbout;

class frmKorvex final : public QWidget {
 public:
  explicit frmKorvex(OnlineProbe online = isConnected);
  ~frmKorvex() override;

  ScanControl& control() { return *control_; }
  WidgetWindow& window() { return *window_; }
  frmAbout* about() const { return about_; }
  bool scanning() const;

  // The Save As dialog: the name chosen (empty when cancelled) and the format of its file type.
  // Tests replace it.
  struct SaveChoice {
    QString name;
    Format format = Format::Text;
  };
  std::function<SaveChoice()> chooseSaveFile;
  // The dialog that chooses a journal to open; empty when cancelled. Tests replace it.
  std::function<QString()> chooseJournalFile;
  // The dialog that chooses a file of start URLs; empty when cancelled. Tests replace it.
  std::function<QString()> chooseUrlListFile;
  // At start-up: offers to resume a scan that a crash or a kill ended.
  void offerLastScan();
  // Exit without its question: the window closes, and a running scan stops (its journal left
  // stopped, to resume).
  void leaveWithoutAsking();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  // Runs what may start a scan (Start, resuming a journal) unless one runs.
  void unlessScanning(const std::function<void()>& action);
  // On the delivery timer: the scan's results so far, and its end.
  void deliver();
  void cmdScan_Click();
  // The level being read and the pages read per second since the last look.
  void showProgress();
  void nameControlsByTheirLabels();
  void cmdSave_Click();
  void lblAbout_Click();
  // The checks made when a field is left: the message of a refused value, or nothing.
  std::optional<std::string> validate(QWidget* field);
  void fieldLeft(QWidget* field);
  void showHelp(QWidget* field, bool focused);

  SearchResultsTab* results_;
  SearchParametersTab* parameters_;
  ResultsModel* model_;
  DetailsTab* details_;
  DomainsTab* domains_;
  QTabWidget* SSTab1;
  QLabel* lblToolTip;
  QLineEdit* txtDelimiter;
  QPushButton* cmdSave;
  QPushButton* cmdOpen;
  QPushButton* cmdExit;
  frmAbout* about_;
  WidgetWindow* window_;
  std::unique_ptr<QtDialogs> dialogs_;
  std::unique_ptr<ScanControl> control_;
  QTimer* delivery_;
  bool asking_ = true;  // Exit asks before the results go
  std::pair<std::chrono::steady_clock::time_point, long long> progressFrom_;
  bool validating_ = false;
};

}  // namespace korvex::ui
