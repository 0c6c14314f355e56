// Where page processing puts what it finds: the page's own addresses each once, its links
// checked against the URLs the scan knew when the task began.
#pragma once

#include <string>
#include <string_view>

#include "base/email_list.h"
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
  bool emailKnown(std::string_view address) const { return emails_.contains(address); }
  void addEmail(const std::string& address, const std::string& pageUrl);
  // The page passed the page rules.
  void pageAccepted() { ++result_.validUrls; }
  PageResult take() { return std::move(result_); }

 private:
  PageResult result_;
  VisitedURLs known_;
  EmailList emails_;
};

}  // namespace korvex
