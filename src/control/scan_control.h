// Running a scan from the Start button to its end, and the Pause, Stop and leaving handlers that
// act on it from inside its yields.
#pragma once

#include "control/dialogs.h"
#include "control/online_probe.h"
#include "control/window_sink.h"
#include "crawl/cls_email.h"
#include "crawl/dispatcher.h"
#include "crawl/engine_profile.h"
#include "crawl/harvester.h"
#include "page/cnetget.h"

namespace korvex {

// The thread list offers 1 to 10 workers.
inline constexpr int kMaxThreads = 10;

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

class ScanControl {
 public:
  ScanControl(Window& window, Host& host, Dialogs& dialogs,
              WorkerFactory factory = clsEmail::factory(), OnlineProbe online = isConnected,
              EngineProfile profile = {}, const Clock& clock = systemClock());

  // Returns when the scan is over, or at once when it was not started.
  StartOutcome cmdScan_Click();
  // Why the Internet connection of the last Start could not be opened.
  const std::string& connectionFailure() const { return connectionFailure_; }
  // URL mode: why the base URL could not be opened, when its page was read and failed or
  // robots.txt refused it.
  std::optional<std::string> startPageFailure() const;
  // URL mode: the HTTP error status (400 or more) the base URL answered; the page was read.
  std::optional<long> startPageErrorStatus() const;
  void cmdPause_Click();
  void cmdStop_Click();
  // Sets cancel when the user wants to stay; otherwise the caller ends the program at once.
  void Form_Unload(bool& cancel);

  ScanState& state() { return state_; }
  const ScanState& state() const { return state_; }
  // What the last scan found.
  const ScanResults& results() const { return results_; }
  Dispatcher& dispatcher() { return dispatcher_; }

 private:
  bool checkParameters();
  CrawlSettings settingsFromWindow() const;
  void prepare();
  void runUrlMode();
  void runKeywordMode();
  void showIdle();

  Window& window_;
  Host& host_;
  Dialogs& dialogs_;
  OnlineProbe online_;
  EngineProfile profile_;
  const Clock& clock_;
  ScanState state_;
  ScanResults results_;
  WindowSink windowSink_;
  // The scan's own page engine, made at Start from the window's settings and released at the
  // end: keyword mode reads through it, and every worker gets a copy of its settings.
  std::unique_ptr<CNetGet> objNet_;
  Dispatcher dispatcher_;
  Harvester harvester_;
  std::string connectionFailure_;
};

}  // namespace korvex
