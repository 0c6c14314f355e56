// What the window hears of a scan, on the scan's thread. The views read the rows from the
// results themselves, so added rows are news, told once until the window's thread has taken it,
// never copied; refused URLs, counters and answers in DNS go through the queue as they are.
#pragma once

#include <atomic>

#include "session/event_queue.h"
#include "window/window.h"

namespace korvex {

class ScanNews final : public ScanSink {
 public:
  ScanNews(EventQueue& queue, Window& window) : queue_(queue), window_(window) {}

  void urlHandedOut(const std::string&) override { rowsAdded(); }
  void addressFound(const FoundAddress&) override { rowsAdded(); }
  void urlRefused(const RefusedURL& refused) override { queue_.urlRefused(refused); }
  void countersChanged(const ScanCounters& counters) override { queue_.countersChanged(counters); }
  void domainChecked(const std::string& domain, const DomainAnswer& answer) override {
    queue_.domainChecked(domain, answer);
  }

 private:
  void rowsAdded();

  EventQueue& queue_;
  Window& window_;
  std::atomic<bool> told_{false};  // news on its way to the window's thread
};

}  // namespace korvex
