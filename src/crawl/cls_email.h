// clsEmail: the real worker. Owns a thread and a page engine of its own.
//
// Releasing a worker cancels the page in hand (it ends at its next chunk); destroying it then
// joins its thread. That task's result is discarded.
#pragma once

#include <memory>

#include "crawl/owned_thread.h"
#include "crawl/worker.h"

namespace korvex {

class clsEmail final : public Worker {
 public:
  explicit clsEmail(std::shared_ptr<const Wakeup> wakeup, const Clock& clock = systemClock());
  ~clsEmail() override;

  void configure(WorkerSettings settings) override;
  void start(PageTask task) override;
  bool idle() const override;
  PageResult takeResult() override;
  void release() override;

  static WorkerFactory factory(const Clock& clock = systemClock());

 private:
  struct Shared;
  static std::shared_ptr<Shared> makeShared(std::shared_ptr<const Wakeup> wakeup,
                                            const Clock& clock);
  std::shared_ptr<Shared> shared_;
  OwnedThread thread_;  // last: joined before the rest goes
};

}  // namespace korvex
