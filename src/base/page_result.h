// What processing one page gives: its addresses, its new links in order, its counts, and why it
// could not be read.
#pragma once

#include <string>
#include <vector>

#include "base/email_list.h"

namespace korvex {

struct PageResult {
  bool read = false;       // the page could be opened (an empty page included)
  std::string failure;     // why it could not be read; empty when it was
  std::string finalUrl;    // the URL read after redirections, when it is another
  long status = 0;         // the HTTP status of its answer; 0 when none came
  std::string retryAfter;  // its Retry-After header
  EmailList emails;        // each found on the page handed out, whose URL names it
  std::vector<std::string> links;
  long long extUrls = 0;    // links taken
  long long validUrls = 0;  // 1 when the page passed the page rules
};

}  // namespace korvex
