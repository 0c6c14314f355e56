// Running a scan from the window's Start button to its end.
#pragma once

#include <memory>

#include "journal/journal.h"
#include "session/event_queue.h"
#include "session/online_probe.h"
#include "session/scan_session.h"
#include "window/dialogs.h"
#include "window/scan_news.h"
#include "window/window_sink.h"

namespace korvex {

// How a press of Start ended, and then how its scan ended.
enum class StartOutcome {
  NotConnected,
  ParameterRefused,
  NotConfirmed,
  Started,  // the scan runs
  ConnectionFailed,
  WorkersFailed,  // the scan ran, but its workers could not be made
  Ran
};

// The window's controller: Start's checks and confirmation, and the window's fields and buttons
// through a scan that runs on its session's thread. Every call comes from the window's thread;
// deliver() brings the scan's results there.
class ScanControl {
 public:
  ScanControl(Window& window, Dialogs& dialogs, WorkerFactory factory = realWorkers(),
              OnlineProbe online = isConnected, EngineProfile profile = {},
              const Clock& clock = systemClock());
  // A running scan is stopped, waited for, and its journal left stopped.
  ~ScanControl();

  // Returns Started at once when the scan runs, or why it did not start.
  StartOutcome cmdScan_Click();
  // On the window's repaint timer: shows what the scan sent since the last call and, once it
  // has ended, what its end says. True when no scan runs.
  bool deliver();
  bool scanning() const { return scanning_; }
  // How the last scan ended, once deliver() has seen its end.
  StartOutcome outcome() const { return outcome_; }
  ScanSession::Progress progress() const { return session_.progress(); }
  const std::string& connectionFailure() const { return session_.scan().connectionFailure(); }
  void cmdPause_Click();
  void cmdStop_Click();
  // Sets cancel when the user wants to stay; otherwise the scan is stopped and the caller
  // leaves.
  void Form_Unload(bool& cancel);
  // Leaving without the question (a signal of the session's end): the scan stops.
  void stopForExit();

  // At start-up: when the newest journal's scan neither finished nor was stopped (a crash, a
  // kill), offers to resume it.
  void offerLastScan();
  // Fills the window with a journal's settings and results; a scan that did not finish goes on
  // when `resume` is set or the user says so.
  void openJournal(const std::string& path, bool resume = false);

  // Results kept from an earlier scan, shown as the last scan's (Save writes them).
  void showResults(const ScanProgress& progress);

  // The last scan's results, which the window shows; read under their reading().
  const ScanResults& results() const { return session_.scan().results(); }

 private:
  bool checkParameters();
  // Start's changes to the window: status, base URL, emptied results, buttons.
  void prepare();
  // Empties the results and their fields; with `kept`, the results are a journal's.
  void clearResults(const ScanProgress* kept = nullptr);
  // Starts the scan with its journal when there is one.
  StartOutcome run(const ScanRequest& request, std::unique_ptr<Journal> journal,
                   std::optional<ScanProgress> resumed);
  // The scan has ended and everything it sent is shown: its journal, its details, idle.
  void finish();
  // Stop keeps the journal resumable; a scan that ended by itself is finished.
  JournalStatus journalStatusOfTheEnd() const;
  // A journal's failure goes to the window's details line, from any thread.
  Journal::FailureReport journalFailure();
  // `listed`: the URL list's start URLs, read once at Start.
  ScanInput inputFromWindow(const std::vector<std::string>& listed) const;
  void showIdle();

  Window& window_;
  Dialogs& dialogs_;
  OnlineProbe online_;
  WindowSink windowSink_;
  EventQueue queue_;                  // from the scan's thread to windowSink_
  ScanNews news_;                     // the scan's sink, into queue_
  std::unique_ptr<Journal> journal_;  // the running scan's, which outlives its thread
  ScanSession session_;
  bool scanning_ = false;
  bool baseReadNow_ = true;  // the scan reads its base URL (not a resume past it)
  StartOutcome outcome_ = StartOutcome::NotConfirmed;
};

}  // namespace korvex
