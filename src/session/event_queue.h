// A scan's events crossing from its thread to a front end's: kept in order as they come, and
// passed on to the front end's sinks when it asks, on its own thread and at its own pace.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "crawl/scan_results.h"

namespace korvex {

class EventQueue final : public ScanSink {
 public:
  // `target` takes the events on the thread that calls deliver().
  explicit EventQueue(ScanSink& target) : target_(target) {}

  void urlHandedOut(const std::string& shownUrl) override;
  void addressFound(const FoundAddress& found) override;
  void urlRefused(const RefusedURL& refused) override;
  void countersChanged(const ScanCounters& counters) override;
  void domainChecked(const std::string& domain, const DomainAnswer& answer) override;
  // Any thread: `action` runs in its turn on the delivering thread.
  void post(std::function<void()> action);
  // Runs what came since the last call, in order.
  void deliver();

 private:
  ScanSink& target_;
  std::mutex mutex_;
  std::vector<std::function<void()>> pending_;
};

}  // namespace korvex
