// A scan on a thread of its own. A front end sends requests (start, pause, stop) from its own
// thread; the scan takes them at its next turn, and its results reach the sinks on the scan's
// thread. One scan at a time: a second start is refused while one runs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "session/scan.h"

namespace korvex {

// The real workers: a thread and a page engine each. Front ends pass them; tests pass fakes.
WorkerFactory realWorkers();

class ScanSession {
 public:
  // What a front end shows of a running scan.
  struct Progress {
    ScanCounters counters;
    long long level = 0;
  };

  ScanSession(WorkerFactory factory, EngineProfile profile, const Clock& clock = systemClock());
  // A running scan is stopped and its thread joined.
  ~ScanSession();
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  // False when a scan runs already. A resumed scan goes on from `resumed`.
  bool start(ScanRequest request, std::vector<ScanSink*> sinks,
             std::optional<ScanProgress> resumed = std::nullopt);
  // While no scan runs: the results start again, from a journal's when `kept` is given, told to
  // `sinks` on the caller's thread. False when a scan runs.
  bool showResults(std::vector<ScanSink*> sinks, const ScanProgress* kept = nullptr);
  void setPaused(bool paused);
  // Ends the scan: its page reads are cancelled at once, its workers released at its next turn.
  void stop();
  // Waits at most `timeout` for the scan to end; true when none runs (its thread is joined).
  bool waitFor(std::chrono::milliseconds timeout);
  bool running() const;
  Progress progress() const;
  // The last scan and how it ended; read only when none runs, but for its results' reading().
  const Scan& scan() const { return scan_; }
  ScanEnd end() const { return end_; }

 private:
  class Turns;  // the scan's host: takes the requests at each of its turns

  void takeRequests();

  std::shared_ptr<Wakeup> wakeup_;
  std::unique_ptr<Turns> turns_;
  Scan scan_;
  ScanEnd end_ = ScanEnd::Ran;

  mutable std::mutex mutex_;
  std::condition_variable ended_;
  bool running_ = false;
  bool pauseRequested_ = false;
  bool stopRequested_ = false;
  bool stopTaken_ = false;
  Progress progress_;
  std::thread thread_;
};

}  // namespace korvex
