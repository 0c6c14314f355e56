#include "session/scan_session.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include "crawl/cls_email.h"

namespace korvex {
namespace {
// A wait sleeps at most this long without a wake-up; a lost one then costs a second, never a
// hang.
constexpr std::chrono::milliseconds kLongestSleep{1000};
constexpr int kScanNiceness = 5;
}  // namespace

WorkerFactory realWorkers() {
  return clsEmail::factory();
}

// The crawl's turns: between URLs and after every wake-up it takes the front end's requests.
// A wait sleeps until a worker, a robots.txt reader or a request wakes it: a paused scan sleeps.
class ScanSession::Turns final : public Host {
 public:
  explicit Turns(ScanSession& session) : session_(session) {}
  void yield() override { session_.takeRequests(); }
  void wait() override {
    session_.wakeup_->waitFor(kLongestSleep);
    session_.takeRequests();
  }
  std::shared_ptr<const Wakeup> wakeup() const override { return session_.wakeup_; }

 private:
  ScanSession& session_;
};

ScanSession::ScanSession(WorkerFactory factory, EngineProfile profile, const Clock& clock)
    : wakeup_(std::make_shared<Wakeup>()),
      turns_(std::make_unique<Turns>(*this)),
      scan_(*turns_, std::move(factory), std::move(profile), clock) {}

ScanSession::~ScanSession() {
  stop();
  if (thread_.joinable()) thread_.join();
}

bool ScanSession::start(ScanRequest request, std::vector<ScanSink*> sinks,
                        std::optional<ScanProgress> resumed) {
  if (!waitFor(std::chrono::milliseconds(0))) return false;  // joins the last scan's thread
  {
    std::lock_guard lock(mutex_);
    running_ = true;
    pauseRequested_ = stopRequested_ = stopTaken_ = false;
    progress_ = {.counters = resumed ? resumed->counters : ScanCounters{.extracted = 1}};
  }
  thread_ = std::thread(
      [this, request = std::move(request), sinks = std::move(sinks), resumed = std::move(resumed)] {
        pthread_setname_np(pthread_self(), "korvex-scan");
        // Below the front end's thread, and so are the threads it starts (they inherit it): on a
        // busy machine the window answers first, and the crawl takes the rest.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kScanNiceness);
        const ScanEnd end = scan_.run(request, sinks, resumed ? &*resumed : nullptr);
        std::lock_guard lock(mutex_);
        end_ = end;
        progress_ = {scan_.results().counters(), scan_.state().iDepth};
        running_ = false;
        ended_.notify_all();
      });
  return true;
}

bool ScanSession::showResults(std::vector<ScanSink*> sinks, const ScanProgress* kept) {
  if (!waitFor(std::chrono::milliseconds(0))) return false;
  scan_.showResults(std::move(sinks), kept);
  return true;
}

void ScanSession::takeRequests() {
  bool stopNow = false;
  bool paused = false;
  {
    std::lock_guard lock(mutex_);
    progress_ = {scan_.results().counters(), scan_.state().iDepth};
    if (stopRequested_ && !stopTaken_) stopNow = stopTaken_ = true;
    paused = pauseRequested_ && !stopTaken_;
  }
  if (stopNow) {
    scan_.stop();
  } else {
    scan_.setPaused(paused);
  }
  scan_.takeDomainAnswers();
}

void ScanSession::setPaused(bool paused) {
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    pauseRequested_ = paused;
  }
  wakeup_->notify();
}

void ScanSession::stop() {
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    stopRequested_ = true;
    pauseRequested_ = false;
  }
  scan_.cancelReads();
  wakeup_->notify();
}

bool ScanSession::waitFor(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    if (!ended_.wait_for(lock, timeout, [this] { return !running_; })) return false;
  }
  if (thread_.joinable()) thread_.join();
  return true;
}

bool ScanSession::running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

ScanSession::Progress ScanSession::progress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

}  // namespace korvex
