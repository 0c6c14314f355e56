// clsEmail: the real worker. Owns a thread and a page engine of its own.
//
// GetCompletedStatus never becomes True: a worker sees one page at a time and has nothing to
// say about the whole scan.
//
// Releasing a worker never waits: its thread abandons the page in hand at the next chunk and
// ends on its own; that task's results are discarded.
#pragma once

#include <memory>

#include "crawl/worker.h"

namespace korvex {

class clsEmail final : public Worker {
 public:
  explicit clsEmail(std::shared_ptr<const Wakeup> wakeup, const Clock& clock = systemClock());
  ~clsEmail() override;

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
  std::shared_ptr<Shared> shared_;
  PageTask next_;
};

}  // namespace korvex
