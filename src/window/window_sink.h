// The window as a sink of a scan's results, which its session holds: the lists of
// URLs and addresses and the grid are views over them and are told when they grow; each refused
// URL goes to its box, each counter to its field when it changes. Nothing reads results back
// out of the window.
#pragma once

#include "crawl/scan_results.h"
#include "window/window.h"

namespace korvex {

class WindowSink final : public ScanSink {
 public:
  explicit WindowSink(Window& window) : window_(window) {}
  // Start has emptied the fields; the links counter shows its 1.
  void started() { shown_ = {.extracted = 1}; }
  void urlHandedOut(const std::string& shownUrl) override;
  void addressFound(const FoundAddress& found) override;
  void urlRefused(const RefusedURL& refused) override;
  void countersChanged(const ScanCounters& counters) override;
  void domainChecked(const std::string& domain, const DomainAnswer& answer) override;

 private:
  Window& window_;
  ScanCounters shown_;  // what the counter fields show
};

}  // namespace korvex
