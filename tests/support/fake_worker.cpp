#include "support/fake_worker.h"

#include <atomic>
#include <utility>

namespace korvex::test {
namespace {

class FakeWorker final : public Worker {
 public:
  FakeWorker(Script& script, int index, std::shared_ptr<const Wakeup> wakeup)
      : script_(script), index_(index), wakeup_(std::move(wakeup)) {}

  void configure(WorkerSettings settings) override { script_.configured = std::move(settings); }
  void start(PageTask task) override {
    free_ = false;
    result_ = {};
    script_.started.push_back(task.job.url);
    script_.startedBy.push_back(index_);
    script_.maxDepth = task.job.maxDepth;
    auto finish = [this, url = task.job.url] {
      const auto it = script_.results.find(url);
      if (it != script_.results.end()) result_ = it->second;
      free_.store(true, std::memory_order_release);
      wakeup_->notify();
    };
    if (script_.finishLater) {
      std::lock_guard lock(script_.mutex);
      script_.pending.push_back(finish);
    } else {
      finish();
    }
  }
  bool idle() const override { return free_.load(std::memory_order_acquire); }
  PageResult takeResult() override { return std::exchange(result_, {}); }

 private:
  Script& script_;
  int index_;
  std::shared_ptr<const Wakeup> wakeup_;
  std::atomic<bool> free_{true};
  PageResult result_;
};

}  // namespace

void Script::finishAll() {
  std::vector<std::function<void()>> tasks;
  {
    std::lock_guard lock(mutex);
    tasks.swap(pending);
  }
  for (auto& t : tasks) t();
}

PageResult found(const std::vector<std::string>& emails, std::vector<std::string> links,
                 long long extracted, long long valid) {
  PageResult r;
  r.read = true;
  for (const std::string& e : emails) r.emails.add(e);
  r.links = std::move(links);
  r.extUrls = extracted;
  r.validUrls = valid;
  return r;
}

WorkerFactory scriptedFactory(Script& script) {
  return [&script](int index, std::shared_ptr<const Wakeup> wakeup) -> std::unique_ptr<Worker> {
    return std::make_unique<FakeWorker>(script, index, std::move(wakeup));
  };
}

}  // namespace korvex::test
