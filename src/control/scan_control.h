// Running a scan from the window's Start button to its end.
#pragma once

#include "control/dialogs.h"
#include "control/journal.h"
#include "control/online_probe.h"
#include "control/scan.h"
#include "control/window_sink.h"
#include "crawl/cls_email.h"

namespace korvex {

// The real workers: a thread and a page engine each. Front ends pass them; tests pass fakes.
WorkerFactory realWorkers();

// How a press of Start ended.
enum class StartOutcome {
  NotConnected,
  ParameterRefused,
  NotConfirmed,
  ConnectionFailed,
  WorkersFailed,  // the scan ran, but its workers could not be made
  Ran
};

// The window's controller: Start's checks and confirmation, the window's fields and buttons
// through a scan, and the Pause, Stop and leaving handlers that act on it from inside its yields.
class ScanControl {
 public:
  ScanControl(Window& window, Host& host, Dialogs& dialogs,
              WorkerFactory factory = clsEmail::factory(), OnlineProbe online = isConnected,
              EngineProfile profile = {}, const Clock& clock = systemClock());

  // Returns when the scan is over, or at once when it was not started.
  StartOutcome cmdScan_Click();
  const std::string& connectionFailure() const { return scan_.connectionFailure(); }
  std::optional<std::string> startPageFailure() const { return scan_.startPageFailure(); }
  std::optional<long> startPageErrorStatus() const { return scan_.startPageErrorStatus(); }
  void cmdPause_Click();
  void cmdStop_Click();
  // Sets cancel when the user wants to stay; otherwise the caller ends the program at once.
  void Form_Unload(bool& cancel);
  // Leaving without the question (a signal of the session's end): the scan stops, and its
  // journal is left stopped when it returns.
  void stopForExit();

  // At start-up: when the newest journal's scan neither finished nor was stopped (a crash, a
  // kill), offers to resume it.
  void offerLastScan();
  // Fills the window with a journal's settings and results; a scan that did not finish goes on
  // when `resume` is set or the user says so.
  void openJournal(const std::string& path, bool resume = false);

  // Results kept from an earlier scan, shown as the last scan's (Save writes them).
  void showResults(const ScanProgress& progress);

  ScanState& state() { return scan_.state(); }
  const ScanState& state() const { return scan_.state(); }
  // What the last scan found.
  const ScanResults& results() const { return scan_.results(); }
  Dispatcher& dispatcher() { return scan_.dispatcher(); }

 private:
  bool checkParameters();
  // Start's changes to the window: status, base URL, emptied results, buttons.
  void prepare();
  void clearResults();
  // A scan from prepare() to its end, with its journal when there is one.
  StartOutcome run(const ScanRequest& request, Journal* journal, const ScanProgress* resumed);
  // A journal's failure goes to the window's details line.
  Journal::FailureReport journalFailure();
  // `listed`: the URL list's start URLs, read once at Start.
  ScanRequest requestFromWindow(const std::vector<std::string>& listed) const;
  void showIdle();

  Window& window_;
  Host& host_;
  Dialogs& dialogs_;
  OnlineProbe online_;
  WindowSink windowSink_;
  Scan scan_;
};

}  // namespace korvex
