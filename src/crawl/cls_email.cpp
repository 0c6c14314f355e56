#include "crawl/cls_email.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvex {

// What the object and its thread share; the thread keeps it alive after a release.
struct clsEmail::Shared {
  std::shared_ptr<const Wakeup> wakeup;
  const Clock* clock;
  std::mutex mutex;
  std::condition_variable cv;
  bool released = false;
  bool taskPending = false;
  PageTask task;
  WorkerSettings settings;
  std::unique_ptr<PageEngine> engine;  // made by the thread for its first task
  std::atomic<bool> free{true};
  PageResult result;  // written by the thread before `free`, read by the crawl after it

  void run() {
    while (true) {
      PageTask t;
      {
        std::unique_lock lock(mutex);
        cv.wait(lock, [this] { return released || taskPending; });
        if (released) return;
        taskPending = false;
        t = std::move(task);
        if (!engine) engine = std::make_unique<PageEngine>(settings, *clock);
      }
      PageResult r = engine->run(t);
      {
        std::lock_guard lock(mutex);
        if (released) return;
        result = std::move(r);
      }
      free.store(true, std::memory_order_release);
      wakeup->notify();
    }
  }
};

std::shared_ptr<clsEmail::Shared> clsEmail::makeShared(std::shared_ptr<const Wakeup> wakeup,
                                                       const Clock& clock) {
  auto shared = std::make_shared<Shared>();
  shared->wakeup = std::move(wakeup);
  shared->clock = &clock;
  return shared;
}

clsEmail::clsEmail(std::shared_ptr<const Wakeup> wakeup, const Clock& clock)
    : shared_(makeShared(std::move(wakeup), clock)),
      thread_("korvex-worker", [s = shared_] { s->run(); }) {}

clsEmail::~clsEmail() {
  release();
}

void clsEmail::release() {
  std::lock_guard lock(shared_->mutex);
  shared_->released = true;
  if (shared_->engine) shared_->engine->cancel();
  shared_->cv.notify_one();
}

void clsEmail::SetFreeStatus(bool free) {
  shared_->free.store(free, std::memory_order_release);
}

void clsEmail::setInitialValues(UrlSnapshot known) {
  next_.known = std::move(known);
  shared_->result = PageResult{};
}

void clsEmail::SetURL(std::string url) {
  next_.job.url = std::move(url);
}

void clsEmail::SetLevel(long long level, long long maxDepth) {
  next_.job.level = level;
  next_.job.maxDepth = maxDepth;
}

void clsEmail::StartTask() {
  std::lock_guard lock(shared_->mutex);
  shared_->settings = settings_;
  shared_->task = next_;
  shared_->taskPending = true;
  shared_->cv.notify_one();
}

bool clsEmail::GetFreeStatus() const {
  return shared_->free.load(std::memory_order_acquire);
}
const PageResult& clsEmail::result() const {
  return shared_->result;
}

WorkerFactory clsEmail::factory(const Clock& clock) {
  return [&clock](int, std::shared_ptr<const Wakeup> wakeup) -> std::unique_ptr<Worker> {
    return std::make_unique<clsEmail>(std::move(wakeup), clock);
  };
}

}  // namespace korvex
