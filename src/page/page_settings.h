// What the page engine of a scan works with, fixed at Start: the keyword rules of URLs and pages,
// the omitted file types, the time limit of a page and the agent string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/scan_state.h"

namespace korvex {

struct PageSettings {
  // The keyword boxes' texts, trimmed: a rule applies only when its box holds something.
  std::string urlMust;
  std::string urlMustNot;
  std::string pagesMust;
  std::string pagesMustNot;
  // Their lists, one entry per line.
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
  std::vector<std::string> resolve;  // "HOST:PORT:ADDRESS", for every request of the scan
  bool documents = false;            // PDF and office files are read, not left out

  // The four keyword rules from the texts of their boxes, one keyword per line.
  void setKeywordBoxes(std::string_view urlMustBox, std::string_view urlMustNotBox,
                       std::string_view pagesMustBox, std::string_view pagesMustNotBox);
};

}  // namespace korvex
