// Where page processing puts what it finds. The window's own engine writes the window and the
// scan state; a worker fills a PageResult. The processing itself is the same for both.
#pragma once

#include <string>
#include <string_view>

#include "page/keyword_rules.h"
#include "page/links.h"

namespace korvex {

class PageOutput {
 public:
  virtual ~PageOutput() = default;
  // The scan must end: no addresses or links are taken any more.
  virtual bool stopped() const = 0;
  // Whether the scan holds the URL already.
  virtual bool urlKnown(std::string_view url) const = 0;
  // The page was read under another URL (after redirections), which joins the known URLs.
  virtual void pageRedirected(const std::string& finalUrl) = 0;
  // A frame source about to be read; false when the URL is known already.
  virtual bool addKnownUrl(const std::string& url) = 0;
  // A link for the next level, taken (moved from) when it is new; false, and the URL left as it
  // is, when it is known already. One lookup serves both the test and the taking.
  virtual bool addLink(std::string& url) = 0;
  // The links of one page are all in: counts kept back until now may be shown.
  virtual void linksDone() {}
  virtual bool emailKnown(std::string_view address) const = 0;
  virtual void addEmail(const std::string& address, const std::string& pageUrl) = 0;
  // The page passed the page rules.
  virtual void pageAccepted(const std::string& url) = 0;
};

// The keyword rules of links and pages, and the file patterns whose links are not followed.
struct PageRules {
  KeywordRules url;
  KeywordRules page;
  const OmittedFiles* omitted = nullptr;
};

}  // namespace korvex
