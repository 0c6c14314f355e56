// The page engine as a worker runs it, with the window's start-up settings unless a test changes
// them before its first use.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "page/cnetget.h"

namespace korvex::test {

// A page's addresses, in the order found.
inline std::vector<std::string> emailsOf(const PageResult& r) {
  std::vector<std::string> out;
  for (size_t i = 0; i < r.emails.size(); ++i) out.emplace_back(r.emails[i]);
  return out;
}

struct EngineHarness {
  explicit EngineHarness(const Clock& clock = systemClock()) : clock_(clock) {}
  CNetGet& net() {
    if (!net_) net_ = std::make_unique<CNetGet>(settings, clock_);
    return *net_;
  }
  // A page text as if read from `url` (its frames are read), at `level`; `known` holds the URLs
  // the scan knows besides the page's own.
  PageResult process(std::string_view text, const std::string& url, long long level = 1,
                     VisitedURLs known = {}) {
    known.add(url);
    return net().processText(std::string(text), url, {.url = url, .level = level, .maxDepth = 6},
                             known.snapshot());
  }
  // The page of `url` read and processed, as a worker's task.
  PageResult read(const std::string& url, long long level = 1) {
    VisitedURLs known;
    known.add(url);
    return net().execProc1({.url = url, .level = level, .maxDepth = 6}, known.snapshot());
  }

  PageSettings settings;

 private:
  const Clock& clock_;
  std::unique_ptr<CNetGet> net_;
};

}  // namespace korvex::test
