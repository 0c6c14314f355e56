// What a worker does for one URL: the page processing of the window's own engine, run on a
// private window and scan state built from the worker's settings, with the results kept.
#pragma once

#include <string>
#include <vector>

#include "page/cnetget.h"
#include "page/url_set.h"
#include "scan/loop_host.h"
#include "scan/memory_window.h"
#include "scan/scan_state.h"

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
};

// The settings as the pool takes them from the window and the scan state.
WorkerSettings settingsFromWindow(const Window& window, const ScanState& state);

struct PageTask {
  std::string url;
  long long level = 1;     // pages of level 1 skip the page rules
  long long maxDepth = 6;  // no links are taken at this level
  UrlSnapshot known;       // the URLs the scan held when the task began
};

struct PageResult {
  bool read = false;  // the page could be opened
  std::vector<std::string> emails;
  std::vector<std::string> emailUrls;  // the page of each address, by position
  std::vector<std::string> links;
  double extUrls = 0;
  double validUrls = 0;
};

class PageEngine {
 public:
  explicit PageEngine(const WorkerSettings& settings, const Clock& clock = systemClock());
  PageResult run(const PageTask& task);
  // Any thread: the task in hand ends at its next chunk.
  void cancel() { net_.cancel(); }

 private:
  ScanState state_;
  MemoryWindow window_;
  NullHost host_;
  CNetGet net_;
};

}  // namespace korvex
