// What a worker does for one URL: the page processing of the window's own engine, with the
// worker's settings in place of the window's fields, into a PageResult.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "base/page_result.h"
#include "base/scan_state.h"
#include "base/url_set.h"
#include "base/window.h"
#include "crawl/host_gate.h"
#include "crawl/null_host.h"
#include "page/page_processor.h"

namespace korvex {

// The worker's configuration: what the pool hands it once, at creation.
struct WorkerSettings {
  std::string urlDelimiter = ";";
  std::string urlMust;  // the keyword boxes' texts, trimmed
  std::string urlMustNot;
  std::string pagesMust;
  std::string pagesMustNot;
  std::vector<std::string> aURLMust;
  std::vector<std::string> aURLMustNot;
  std::vector<std::string> aPagesMust;
  std::vector<std::string> aPagesMustNot;
  bool optUrlAny = true;
  bool optUrlAll = false;
  bool optPagesAny = true;
  bool optPagesAll = false;
  std::string omitExtensions{kOmitExtensions};
  double maxTime = 1;  // minutes allowed to download a page
  std::string agent{kAgent};
  std::shared_ptr<HostGate> gate;  // shared by the pool; nullptr: no pacing
};

// The settings as the pool takes them from the window and the scan state.
WorkerSettings settingsFromWindow(const Window& window, const ScanState& state);

struct PageTask {
  PageJob job;
  UrlSnapshot known;  // the URLs the scan held when the task began
};

class PageEngine {
 public:
  explicit PageEngine(WorkerSettings settings, const Clock& clock = systemClock());
  PageEngine(const PageEngine&) = delete;  // the rules point into the engine
  PageEngine& operator=(const PageEngine&) = delete;
  PageResult run(const PageTask& task);
  // Any thread: the task in hand ends at its next chunk, or its wait for a turn ends.
  void cancel();

 private:
  WorkerSettings settings_;
  std::atomic<bool> cancelled_{false};
  KeywordSet urlMust_, urlMustNot_, pagesMust_, pagesMustNot_;
  OmittedFiles omitted_;
  PageRules rules_;
  NullHost host_;
  PageReader reader_;
  PageProcessor processor_;
};

}  // namespace korvex
