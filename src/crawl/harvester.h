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

  // Keyword mode's scan: passes over the result pages until none is left or the scan stops.
  void run(const std::string& keywords);
  // The result pages of the scan that could not be read or answered an error, as
  // "result page N: why", and how many were read.
  const std::vector<std::string>& problems() const { return problems_; }
  int pagesRead() const { return pagesRead_; }

 private:
  // One pass: up to kPagesPerPass result pages from lSearchPage_ on, then the crawl of their
  // result links. lSearchPage_ names the entry fetched last when it returns.
  void searchPagesURLs();
  void extractResultURLs(const std::string& text);
  std::string readPage(const std::string& url);

  ScanState& state_;
  ScanResults& results_;
  Host& host_;
  std::unique_ptr<CNetGet>& objNet_;
  Dispatcher& dispatcher_;
  const EngineProfile& profile_;
  static constexpr int kPagesPerPass = 3;
  std::vector<std::string> aSearchPages_;  // the result pages found; index 0 stays empty
  long long lSearchPage_ = 0;
  VisitedURLs sPageLinks_;                // navigation links met, each taken once
  std::vector<std::string> sStartLinks_;  // a pass's result links
  std::string vSearchText_;               // a pass's result pages, joined
  std::string vPageText_;                 // the result page read last
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
