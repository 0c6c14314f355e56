// Where page processing puts what it finds: the page's own addresses each once, its links
// checked against the URLs the scan knew when the task began.
#pragma once

#include <string>
#include <string_view>

#include "base/page_result.h"
#include "base/url_set.h"

namespace korvex {

class ResultOutput {
 public:
  explicit ResultOutput(UrlSnapshot known) { known_.reset(std::move(known)); }
  bool urlKnown(std::string_view url) const { return known_.contains(url); }
  // The page was read under another URL (after redirections), which joins the known URLs.
  void pageRedirected(const std::string& finalUrl);
  // A frame source about to be read; false when the URL is known already.
  bool addKnownUrl(const std::string& url) { return known_.add(url); }
  // A link for the next level, taken (moved from) when it is new; false, and the URL left as it
  // is, when it is known already. One lookup serves both the test and the taking.
  bool addLink(std::string& url);
  // Adds the address unless the page gave it already. The addresses of a page are parts of it,
  // so their bytes never pass its size.
  void addEmail(std::string_view address, size_t pageSize) {
    if (result_.emails.empty()) result_.emails.reserve(pageSize);
    result_.emails.add(address);
  }
  // The page passed the page rules.
  void pageAccepted() { ++result_.validUrls; }
  PageResult take() { return std::move(result_); }

 private:
  PageResult result_;
  VisitedURLs known_;
};

}  // namespace korvex
