#include "crawl/cls_email.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "page/cnetget.h"

namespace korvex {

// What the object and its thread share.
struct clsEmail::Shared {
  std::shared_ptr<const Wakeup> wakeup;
  const Clock* clock;
  std::mutex mutex;
  std::condition_variable cv;
  bool released = false;
  bool taskPending = false;
  PageTask task;
  WorkerSettings settings;
  std::unique_ptr<CNetGet> engine;  // made by the thread for its first task
  std::atomic<bool> cancelled{false};
  std::atomic<bool> idle{true};
  PageResult result;  // written by the thread before `idle`, read by the crawl after it

  void run() {
    while (true) {
      PageTask t;
      {
        std::unique_lock lock(mutex);
        cv.wait(lock, [this] { return released || taskPending; });
        if (released) return;
        taskPending = false;
        t = std::move(task);
        if (!engine) engine = std::make_unique<CNetGet>(settings.page, *clock);
      }
      PageResult r = runPageTask(*engine, settings.gate.get(), t, cancelled);
      {
        std::lock_guard lock(mutex);
        if (released) return;
        result = std::move(r);
      }
      idle.store(true, std::memory_order_release);
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
  shared_->cancelled = true;
  if (shared_->engine) shared_->engine->cancel();
  if (shared_->settings.gate) shared_->settings.gate->wakeAll();
  shared_->cv.notify_one();
}

void clsEmail::configure(WorkerSettings settings) {
  std::lock_guard lock(shared_->mutex);
  shared_->settings = std::move(settings);
}

void clsEmail::start(PageTask task) {
  shared_->idle.store(false, std::memory_order_release);
  std::lock_guard lock(shared_->mutex);
  shared_->result = {};
  shared_->task = std::move(task);
  shared_->taskPending = true;
  shared_->cv.notify_one();
}

bool clsEmail::idle() const {
  return shared_->idle.load(std::memory_order_acquire);
}

PageResult clsEmail::takeResult() {
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->result, {});
}

WorkerFactory clsEmail::factory(const Clock& clock) {
  return [&clock](int, std::shared_ptr<const Wakeup> wakeup) -> std::unique_ptr<Worker> {
    return std::make_unique<clsEmail>(std::move(wakeup), clock);
  };
}

}  // namespace korvex
