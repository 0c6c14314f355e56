#include "support/fake_worker.h"

namespace korvex::test {
namespace {

class FakeWorker final : public Worker {
 public:
  FakeWorker(Script& script, int index, std::shared_ptr<const Wakeup> wakeup)
      : script_(script), index_(index), wakeup_(std::move(wakeup)) {}

  void SetFreeStatus(bool free) override { free_ = free; }
  void setInitialValues(UrlSnapshot) override { result_ = {}; }
  void SetURL(std::string url) override { url_ = std::move(url); }
  void SetLevel(long long, long long) override {}
  void StartTask() override {
    script_.started.push_back(url_);
    script_.startedBy.push_back(index_);
    auto finish = [this, url = url_] {
      const auto it = script_.results.find(url);
      if (it != script_.results.end()) result_ = it->second;
      free_ = true;
      wakeup_->notify();
    };
    if (script_.finishLater) {
      script_.pending.push_back(finish);
    } else {
      finish();
    }
  }
  bool GetFreeStatus() const override { return free_; }
  bool GetCompletedStatus() const override { return false; }
  const PageResult& result() const override { return result_; }

 private:
  Script& script_;
  int index_;
  std::shared_ptr<const Wakeup> wakeup_;
  bool free_ = true;
  std::string url_;
  PageResult result_;
};

}  // namespace

void Script::finishAll() {
  auto tasks = std::move(pending);
  pending.clear();
  for (auto& t : tasks) t();
}

WorkerFactory scriptedFactory(Script& script) {
  return [&script](int index, std::shared_ptr<const Wakeup> wakeup) -> std::unique_ptr<Worker> {
    if (script.failFrom >= 0 && index >= script.failFrom) return nullptr;
    return std::make_unique<FakeWorker>(script, index, std::move(wakeup));
  };
}

}  // namespace korvex::test
