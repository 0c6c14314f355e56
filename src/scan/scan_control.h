// Running a scan from the Start button to its end, and the Pause, Stop and leaving handlers that
// act on it from inside its yields.
#pragma once

#include "crawl/dispatcher.h"
#include "scan/dialogs.h"
#include "scan/engine_slot.h"
#include "scan/online_probe.h"
#include "search/engine_profile.h"
#include "search/harvester.h"

namespace korvex {

// The thread list offers 1 to 10 workers.
inline constexpr int kMaxThreads = 10;

// How a press of Start ended.
enum class StartOutcome { NotConnected, ParameterRefused, NotConfirmed, ConnectionFailed, Ran };

class ScanControl {
 public:
  ScanControl(Window& window, Host& host, Dialogs& dialogs, WorkerFactory factory,
              OnlineProbe online = isConnected, EngineProfile profile = {},
              const Clock& clock = systemClock());

  // Returns when the scan is over, or at once when it was not started.
  StartOutcome cmdScan_Click();
  void cmdPause_Click();
  void cmdStop_Click();
  // Sets cancel when the user wants to stay; otherwise the caller ends the program at once.
  void Form_Unload(bool& cancel);

  ScanState& state() { return state_; }
  const ScanState& state() const { return state_; }
  Dispatcher& dispatcher() { return dispatcher_; }

 private:
  bool checkParameters();
  void prepare();
  void runUrlMode();
  void runKeywordMode();
  void showIdle();

  Window& window_;
  Host& host_;
  Dialogs& dialogs_;
  OnlineProbe online_;
  EngineProfile profile_;
  ScanState state_;
  EngineSlot objNet_;
  Dispatcher dispatcher_;
  Harvester harvester_;
};

}  // namespace korvex
