// Processing one page from end to end: read it, add its frames, apply the page rules, take its
// addresses and its links.
#pragma once

#include <string>
#include <string_view>

#include "page/document_reader.h"
#include "page/keyword_rules.h"
#include "page/links.h"
#include "page/page_reader.h"
#include "page/result_output.h"

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

// The keyword rules of links and pages, and the file patterns whose links are not followed.
struct PageRules {
  KeywordRules url;
  KeywordRules page;
  const OmittedFiles* omitted = nullptr;
  bool documents = false;  // PDF and office files are read as documents
};

class PageProcessor {
 public:
  explicit PageProcessor(PageReader& reader) : reader_(reader) {}

  // Reads the page and processes it; returns the read of the page itself.
  ReadResult process(const PageJob& job, const PageRules& rules, ResultOutput& out);
  // Processes a page already read from `finalUrl`: its frames are read and added to it.
  void processText(std::string& page, const std::string& finalUrl, const PageJob& job,
                   const PageRules& rules, ResultOutput& out);

 private:
  // A document's text and links, processed as a page's; its failure is the page's.
  void processDocument(ReadResult& read, DocumentKind kind, const std::string& finalUrl,
                       const PageJob& job, const PageRules& rules, ResultOutput& out);
  void addFrames(std::string& page, const LinkBase& pageBase, const PageRules& rules,
                 ResultOutput& out);
  void extractEmails(std::string_view page, ResultOutput& out);
  // Links resolve against `base`, or the page's own <base href>.
  void extractLinks(std::string_view page, LinkBase base, const PageJob& job,
                    const PageRules& rules, ResultOutput& out);

  PageReader& reader_;
};

}  // namespace korvex
