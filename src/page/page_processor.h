// Processing one page from end to end: read it, add its frames, apply the page rules, take its
// addresses and its links.
#pragma once

#include <string>
#include <string_view>

#include "page/links.h"
#include "page/page_output.h"
#include "page/page_reader.h"

namespace korvex {

class Host;

// A page larger than this, its frames included, is processed up to it.
inline constexpr size_t kMaxFramedPageBytes = kMaxPageBytes;
// Frame sources read for one page: a page of thousands of sources must not hold a worker for
// thousands of time limits.
inline constexpr int kMaxFrameReads = 64;

struct PageJob {
  std::string url;
  long long level = 1;     // pages of level 1 skip the page rules
  long long maxDepth = 6;  // no links are taken at this level
};

class PageProcessor {
 public:
  PageProcessor(PageReader& reader, Host& host) : reader_(reader), host_(host) {}

  // The read of the page itself: whether it opened and why not.
  ReadResult process(const PageJob& job, const PageRules& rules, PageOutput& out);
  void extractEmails(std::string_view page, const std::string& url, PageOutput& out);
  // Links resolve against `base`, or the page's own <base href>.
  void extractLinks(std::string_view page, LinkBase base, const PageJob& job,
                    const PageRules& rules, PageOutput& out);

 private:
  void addFrames(std::string& page, const LinkBase& pageBase, const PageRules& rules,
                 PageOutput& out);

  PageReader& reader_;
  Host& host_;
};

}  // namespace korvex
