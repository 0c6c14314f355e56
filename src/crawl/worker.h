// The worker contract: what the crawl asks of each worker of the pool.
//
// A worker processes one URL at a time on its own thread, as the window's own engine processes a
// page, with the settings it was given in place of the window's fields, and keeps the results
// for the Get members until the next setInitialValues.
//
// Lists are returned as lists (not joined texts), so a URL holding ";" or a line break stays
// whole and every address keeps the page it was found on.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/url_set.h"
#include "base/wakeup.h"
#include "crawl/page_task.h"

namespace korvex {

class Worker {
 public:
  virtual ~Worker() = default;

  // Configuration, set once when the pool is made, in this order.
  void SetUrlDelimiter(std::string v) { settings_.urlDelimiter = std::move(v); }
  void SetUrlMust(std::string v) { settings_.urlMust = std::move(v); }
  void SetUrlMustNot(std::string v) { settings_.urlMustNot = std::move(v); }
  void SetPagesMust(std::string v) { settings_.pagesMust = std::move(v); }
  void SetPagesMustNot(std::string v) { settings_.pagesMustNot = std::move(v); }
  void SetAURLMust(std::vector<std::string> v) { settings_.aURLMust = std::move(v); }
  void SetAURLMustNot(std::vector<std::string> v) { settings_.aURLMustNot = std::move(v); }
  void SetAPagesMust(std::vector<std::string> v) { settings_.aPagesMust = std::move(v); }
  void SetAPagesMustNot(std::vector<std::string> v) { settings_.aPagesMustNot = std::move(v); }
  void SetOptUrlAny(bool v) { settings_.optUrlAny = v; }
  void SetOptUrlAll(bool v) { settings_.optUrlAll = v; }
  void SetOptPagesAny(bool v) { settings_.optPagesAny = v; }
  void SetOptPagesAll(bool v) { settings_.optPagesAll = v; }
  void SetOmitExtensions(std::string v) { settings_.omitExtensions = std::move(v); }
  virtual void SetFreeStatus(bool free) = 0;
  void SetMaxTime(double minutes) { settings_.maxTime = minutes; }
  void SetUserAgent(std::string v) { settings_.agent = std::move(v); }
  void SetHostGate(std::shared_ptr<HostGate> v) { settings_.gate = std::move(v); }
  const WorkerSettings& settings() const { return settings_; }

  // Per task: the URLs the scan holds (an empty snapshot after a collection: "blank"), which
  // also clears the results; then the URL, its level and the depth bound; then StartTask, which
  // returns at once.
  virtual void setInitialValues(UrlSnapshot known) = 0;
  virtual void SetURL(std::string url) = 0;
  virtual void SetLevel(long long level, long long maxDepth) = 0;
  virtual void StartTask() = 0;

  // Cancels the task in hand before the worker is destroyed, so that a pool is released at once.
  virtual void release() {}

  // False while a task runs, True once its results are ready. Every task ends.
  virtual bool GetFreeStatus() const = 0;
  virtual bool GetCompletedStatus() const = 0;
  // The results of the last task, valid while the worker is free.
  virtual const PageResult& result() const = 0;
  std::vector<std::string> GetEmails() const;
  std::vector<std::string> GetEmailUrl() const;
  double GetNoOfExtUrls() const;
  double GetNoOfValidUrls() const;
  std::vector<std::string> GetURLString() const;

 protected:
  WorkerSettings settings_;
};

// Makes worker `index` of a pool; the wake-up is to be sent whenever a task ends. nullptr when
// no worker can be made.
using WorkerFactory =
    std::function<std::unique_ptr<Worker>(int index, std::shared_ptr<const Wakeup> wakeup)>;

// The 16 configuration assignments, in their order, then the agent string and the pacing.
void configureWorker(Worker& worker, const WorkerSettings& settings);

}  // namespace korvex
