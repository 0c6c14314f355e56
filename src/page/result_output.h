// Page processing into a PageResult, as a worker does it: the page's own addresses each once,
// its links checked against the URLs the scan knew when the task began.
#pragma once

#include "base/email_list.h"
#include "base/page_result.h"
#include "base/url_set.h"
#include "page/page_output.h"

namespace korvex {

class ResultOutput final : public PageOutput {
 public:
  explicit ResultOutput(UrlSnapshot known) { known_.reset(std::move(known)); }
  bool stopped() const override { return false; }
  bool urlKnown(std::string_view url) const override { return known_.contains(url); }
  void pageRedirected(const std::string& finalUrl) override;
  bool addKnownUrl(const std::string& url) override { return known_.add(url); }
  bool addLink(std::string& url) override;
  bool emailKnown(std::string_view address) const override { return emails_.contains(address); }
  void addEmail(const std::string& address, const std::string& pageUrl) override;
  void pageAccepted(const std::string&) override { ++result_.validUrls; }
  PageResult take() { return std::move(result_); }

 private:
  PageResult result_;
  VisitedURLs known_;
  EmailList emails_;
};

}  // namespace korvex
