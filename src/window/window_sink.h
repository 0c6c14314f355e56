// The window as a sink of a scan's results: each address to the address box and a grid row,
// each URL to its list, each counter to its field when it changes. The window keeps them in its
// named fields; nothing reads results back out of them.
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
