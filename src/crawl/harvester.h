// Keyword mode: reads the search engine's result pages in passes, follows their navigation links
// to further result pages, and crawls from the filtered result links of each pass.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "crawl/dispatcher.h"
#include "crawl/engine_profile.h"

namespace korvex {

class Harvester {
 public:
  Harvester(ScanState& state, ScanResults& results, Host& host, std::unique_ptr<CNetGet>& objNet,
            Dispatcher& dispatcher, const EngineProfile& profile);

  // One pass: up to iPagesPerPass result pages from lSearchPage on, then the crawl of their
  // result links. lSearchPage names the entry fetched last when it returns.
  void searchPagesURLs();
  void extractResultURLs(const std::string& text);
  // The result pages of the scan so far that could not be read or answered an error, as
  // "result page N: why", and how many were read.
  const std::vector<std::string>& problems() const { return problems_; }
  int pagesRead() const { return pagesRead_; }
  void clearProblems();

 private:
  std::string readPage(const std::string& url);

  ScanState& state_;
  ScanResults& results_;
  Host& host_;
  std::unique_ptr<CNetGet>& objNet_;
  Dispatcher& dispatcher_;
  const EngineProfile& profile_;
  std::vector<std::string> problems_;
  int pagesAsked_ = 0;
  int pagesRead_ = 0;
};

// A link cut out of result-page text at an occurrence of "-http://" (index `dash`): it starts at
// "http://" and ends before the next space or double quote, or at the end of the text. `end` is
// the index of the character that ended it.
struct CutLink {
  std::string link;
  size_t end;
};
CutLink cutLink(std::string_view text, size_t dash);

}  // namespace korvex
