// CNetGet: the page engine. Reads pages over HTTP within the per-page time limit and processes
// one page into a PageResult: its frames, the page rules, its addresses and its links. Each
// worker owns one; keyword mode reads the search engine's result pages through the scan's own
// (objNet), and `korvex-cli page`, the tests, fuzzers and benchmarks drive the same processing.
#pragma once

#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/keyword_set.h"
#include "base/page_result.h"
#include "base/url_set.h"
#include "page/links.h"
#include "page/page_processor.h"
#include "page/page_reader.h"
#include "page/page_settings.h"

namespace korvex {

class CNetGet {
 public:
  // The rules are compiled here, once.
  explicit CNetGet(PageSettings settings, const Clock& clock = systemClock());
  CNetGet(const CNetGet&) = delete;  // the rules point into the engine
  CNetGet& operator=(const CNetGet&) = delete;

  const PageSettings& settings() const { return settings_; }

  // The Internet connection; a read opens it when it was never opened.
  bool openUrl() { return reader_.open(); }
  const std::string& openFailure() const { return reader_.openFailure(); }
  void closeURL() { reader_.close(); }
  // Any thread: ends a read in progress and makes every later read fail.
  void cancel() { reader_.cancel(); }

  // A page read whole, its time limit counted from now (keyword mode's result pages).
  ReadResult ReadUrl(const std::string& url);
  // Page processing of one URL: `known` holds the URLs the scan knew when the task began.
  PageResult execProc1(const PageJob& job, UrlSnapshot known);
  // The same for a page text already read from `finalUrl` (its frames are still read).
  PageResult processText(std::string text, const std::string& finalUrl, const PageJob& job,
                         UrlSnapshot known);

  bool validURL(std::string_view zURL) const { return passesKeywordRules(zURL, rules_.url); }

 private:
  PageSettings settings_;
  KeywordSet urlMust_, urlMustNot_, pagesMust_, pagesMustNot_;
  OmittedFiles omitted_;
  PageRules rules_;
  PageReader reader_;
  PageProcessor processor_;
};

}  // namespace korvex
