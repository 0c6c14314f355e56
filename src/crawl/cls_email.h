// clsEmail: the real worker. Owns a thread and a page engine of its own.
//
// GetCompletedStatus never becomes True: a worker sees one page at a time and has nothing to
// say about the whole scan.
//
// Releasing a worker cancels the page in hand (it ends at its next chunk); destroying it then
// joins its thread. That task's results are discarded.
#pragma once

#include <memory>

#include "crawl/owned_thread.h"
#include "crawl/worker.h"

namespace korvex {

class clsEmail final : public Worker {
 public:
  explicit clsEmail(std::shared_ptr<const Wakeup> wakeup, const Clock& clock = systemClock());
  ~clsEmail() override;
  void release() override;

  void SetFreeStatus(bool free) override;
  void setInitialValues(UrlSnapshot known) override;
  void SetURL(std::string url) override;
  void SetLevel(long long level, long long maxDepth) override;
  void StartTask() override;

  bool GetFreeStatus() const override;
  bool GetCompletedStatus() const override { return false; }
  const PageResult& result() const override;

  static WorkerFactory factory(const Clock& clock = systemClock());

 private:
  struct Shared;
  static std::shared_ptr<Shared> makeShared(std::shared_ptr<const Wakeup> wakeup,
                                            const Clock& clock);
  std::shared_ptr<Shared> shared_;
  PageTask next_;
  OwnedThread thread_;  // last: joined before the rest goes
};

}  // namespace korvex
