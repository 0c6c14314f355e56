// The worker contract: what the crawl asks of each worker of the pool. Give it a task, know when
// it is idle, take its result.
//
// A worker processes one URL at a time on its own thread with its own page engine, made from the
// settings it was configured with, and keeps the result until its next task.
#pragma once

#include <functional>
#include <memory>

#include "base/page_result.h"
#include "base/wakeup.h"
#include "crawl/page_task.h"

namespace korvex {

class Worker {
 public:
  virtual ~Worker() = default;

  // Once, when the pool is made.
  virtual void configure(WorkerSettings settings) = 0;
  // Starts the task and returns at once; the worker is busy until it ends. Every task ends.
  virtual void start(PageTask task) = 0;
  virtual bool idle() const = 0;
  // The result of the last task, valid while the worker is idle; taken once.
  virtual PageResult takeResult() = 0;
  // Cancels the task in hand before the worker is destroyed, so that a pool is released at once.
  virtual void release() {}
};

// Makes worker `index` of a pool; the wake-up is to be sent whenever a task ends. nullptr when
// no worker can be made.
using WorkerFactory =
    std::function<std::unique_ptr<Worker>(int index, std::shared_ptr<const Wakeup> wakeup)>;

}  // namespace korvex
