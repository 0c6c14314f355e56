#include "crawl/dispatcher.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"
#include "page/page_reader.h"

namespace korvex {

Dispatcher::Dispatcher(ScanState& state, ScanResults& results, Host& host,
                       std::unique_ptr<CNetGet>& objNet, WorkerFactory factory)
    : state_(state),
      results_(results),
      host_(host),
      objNet_(objNet),
      factory_(std::move(factory)) {}

void Dispatcher::resetPool(const CrawlSettings& settings) {
  settings_ = settings;
  const int threads = settings.threads;
  iThreads_ = threads;
  bWorkersMade_ = false;
  bCollected_ = true;
  workers_.clear();
  workers_.resize(static_cast<size_t>(std::max(threads, 0)));
  taskUrls_.assign(workers_.size(), {});
  released_ = false;
  poolFailed_ = false;
  firstTaskWorker_ = -1;
  firstPage_.reset();
  deferred_.clear();
  const double delay = std::clamp(settings.delayMs, 0.0, 1e9);
  gate_ = std::make_shared<HostGate>(std::chrono::milliseconds(static_cast<long long>(delay)));
  const double minutes = std::clamp(settings.page.maxTime, 0.0, 1e6);
  // robots.txt is read within the page time limit, with the grace a page's first chunk gets.
  const auto limit = std::chrono::milliseconds(std::llround(minutes * 60000)) + kFirstChunkGrace;
  robots_ = settings.obeyRobots
                ? std::make_unique<RobotsBook>(
                      ConnectionSettings{settings.page.agent, settings.page.resolve}, limit, gate_,
                      host_.wakeup(), std::max(threads, 1))
                : nullptr;
}

Worker* Dispatcher::worker(int index) const {
  return index >= 0 && static_cast<size_t>(index) < workers_.size() ? workers_[index].get()
                                                                    : nullptr;
}

bool Dispatcher::pageLimitPassed() const {
  return static_cast<double>(results_.counters().valid) > settings_.maxPages;
}

void Dispatcher::ScanURL(long long firstLevel, std::vector<std::string> nextLevel) {
  const long long depthBound = settings_.maxDepth;
  state_.iDepth = firstLevel;
  while (state_.iDepth <= depthBound) {
    if (state_.bStop) break;
    if (state_.sPendingURLs.empty() || pageLimitPassed()) {
      state_.bStop = true;
      break;
    }
    while (state_.bPause) host_.wait();
    if (state_.bStop || released_) break;
    if (!state_.sPendingURLs.empty()) {
      aURLs_ = std::move(state_.sPendingURLs);
      state_.sPendingURLs = std::move(nextLevel);  // a resumed scan's, found before it stopped
      nextLevel.clear();
      for (size_t i = 0; i < aURLs_.size(); ++i) {
        if (!readyForNext()) break;
        const std::string entry = aURLs_[i];
        bool valid = !trimSpaces(entry).empty();
        if (valid && state_.iDepth > 1 && !objNet_->validURL(entry)) {
          valid = false;
          results_.crawled({CrawlEvent::Kind::PassedOver, entry});
        }
        if (valid && !offer(entry, depthBound)) return;
        host_.yield();
      }
      if (!offerDeferred(depthBound)) return;
    }
    if (bWorkersMade_) waitForThreads();
    host_.yield();
    ++state_.iDepth;
  }
  if (bWorkersMade_) waitForThreads();
}

int Dispatcher::pagesInFlight() const {
  return static_cast<int>(
      std::count_if(taskUrls_.begin(), taskUrls_.end(), [](const auto& u) { return !u.empty(); }));
}

bool Dispatcher::roomUnderPageLimit() {
  // Each page in flight may still count: none goes out that could take the count past the
  // limit and the one page more that a count equal to it lets out.
  while (pagesInFlight() > 0 &&
         static_cast<double>(results_.counters().valid + pagesInFlight()) > settings_.maxPages) {
    bool collected = false;
    for (int i = 0; i < iThreads_; ++i) {
      Worker* w = worker(i);
      if (!w || !w->idle() || taskUrls_[i].empty()) continue;
      if (!waitUntilCollected()) return false;
      extractValues(i);
      collected = true;
    }
    if (released_ || state_.bStop) return false;
    if (!collected) host_.wait();
  }
  return true;
}

bool Dispatcher::readyForNext() {
  while (state_.bPause) host_.wait();
  if (released_ || state_.bStop || !roomUnderPageLimit()) return false;
  if (pageLimitPassed()) {
    state_.bStop = true;
    return false;
  }
  return true;
}

bool Dispatcher::offer(const std::string& entry, long long depthBound) {
  if (!robots_) return handOut(entry, depthBound);
  RobotsBook::Verdict v = robots_->verdict(entry);
  switch (v.kind) {
    case RobotsBook::Verdict::Kind::Allowed:
      return handOut(entry, depthBound);
    case RobotsBook::Verdict::Kind::Refused:
      refuse({entry, std::move(v.reason), v.unreadable});
      return true;
    case RobotsBook::Verdict::Kind::Pending:
      deferred_[v.origin].push_back(entry);
      return true;
  }
  return true;
}

bool Dispatcher::offerDeferred(long long depthBound) {
  while (!deferred_.empty() && readyForNext()) {
    const auto ready = std::find_if(deferred_.begin(), deferred_.end(),
                                    [this](const auto& d) { return robots_->known(d.first); });
    if (ready == deferred_.end()) {
      host_.wait();
      continue;
    }
    const std::vector<std::string> entries = std::move(ready->second);
    deferred_.erase(ready);
    for (const std::string& entry : entries) {
      if (!readyForNext()) break;
      if (!offer(entry, depthBound)) return false;
      host_.yield();
    }
  }
  deferred_.clear();
  return true;
}

void Dispatcher::refuse(RefusedURL refused) {
  results_.urlRefused(std::move(refused));
}

bool Dispatcher::createPool() {
  const WorkerSettings settings{objNet_->settings(), gate_};
  for (int k = 0; k < iThreads_; ++k) {
    std::unique_ptr<Worker> w = factory_ ? factory_(k, host_.wakeup()) : nullptr;
    if (!w) {
      poolFailed_ = true;
      return false;
    }
    w->configure(settings);
    workers_[k] = std::move(w);
  }
  return true;
}

bool Dispatcher::handOut(const std::string& entry, long long depthBound) {
  if (released_) return false;
  if (!bWorkersMade_) {
    bWorkersMade_ = true;
    if (!createPool()) return false;
  }
  long k;
  while ((k = getFreeThread()) == -1) {
    if (released_) return false;
    host_.wait();
  }
  if (!waitUntilCollected()) return false;
  extractValues(static_cast<int>(k));
  Worker* w = worker(static_cast<int>(k));
  if (!w) return false;  // released during the collection's yields
  results_.urlHandedOut(entry);
  taskUrls_[k] = entry;
  if (firstTaskWorker_ < 0) firstTaskWorker_ = static_cast<int>(k);
  w->start({.job = {.url = entry, .level = state_.iDepth, .maxDepth = depthBound},
            .known = state_.sVisitedURLs.snapshot()});
  return true;
}

long Dispatcher::getFreeThread() const {
  for (int k = 0; k < iThreads_; ++k)
    if (Worker* w = worker(k); w && w->idle()) return k;
  return -1;
}

bool Dispatcher::waitUntilCollected() {
  while (!bCollected_) {
    if (released_) return false;
    host_.wait();
  }
  return !released_;
}

bool Dispatcher::waitForThreads() {
  std::vector<bool> collected(static_cast<size_t>(std::max(iThreads_, 0)), false);
  while (!released_) {
    bool allIdle = true;
    for (int i = 0; i < iThreads_ && !released_; ++i) {
      Worker* w = worker(i);
      if (!w) continue;
      if (!w->idle()) {
        allIdle = false;
        continue;
      }
      if (collected[i] || !waitUntilCollected()) continue;
      extractValues(i);
      collected[i] = true;
    }
    if (allIdle) {
      host_.yield();
      break;
    }
    host_.wait();
  }
  return true;
}

void Dispatcher::TerminateThreads() {
  released_ = true;
  robots_.reset();
  // Every worker is told first and joined after: their pages end side by side.
  for (auto& w : workers_)
    if (w) w->release();
  for (int i = 0; i < iThreads_ && static_cast<size_t>(i) < workers_.size(); ++i)
    workers_[i].reset();
}

}  // namespace korvex
