// What processing one page gives: its addresses with their pages, its new links in order, its
// counts, and why it could not be read.
#pragma once

#include <string>
#include <vector>

namespace korvex {

struct FoundEmail {
  std::string address;
  std::string url;  // the page it was found on
};

struct PageResult {
  bool read = false;       // the page could be opened (an empty page included)
  std::string failure;     // why it could not be read; empty when it was
  std::string finalUrl;    // the URL read after redirections, when it is another
  long status = 0;         // the HTTP status of its answer; 0 when none came
  std::string retryAfter;  // its Retry-After header
  std::vector<FoundEmail> emails;
  std::vector<std::string> links;
  long long extUrls = 0;    // links taken
  long long validUrls = 0;  // 1 when the page passed the page rules
};

}  // namespace korvex
