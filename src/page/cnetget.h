// CNetGet: the page engine of the main window (objNet). Reads pages over HTTP within the
// per-page time limit of the window's field, and processes one page into the scan state and the
// window: frames, page rules, addresses, links. Workers run the same processing into a
// PageResult instead (crawl/page_task.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "page/keyword_rules.h"
#include "page/links.h"
#include "page/page_processor.h"
#include "page/page_reader.h"

namespace korvex {

struct ScanState;
class Window;
class Host;

class CNetGet {
 public:
  CNetGet(ScanState& state, Window& window, Host& host, const Clock& clock = systemClock());

  // Reading.
  void openUrl();
  std::string ReadUrl(const std::string& sURL);
  std::string closeURL();
  bool connOpen() const { return reader_.everOpened(); }
  void SetStartTime(Clock::TimePoint time) { reader_.setStartTime(time); }
  // Whether the last read reached its page (an empty page included), and why not.
  bool lastReadOpened() const { return lastRead_.opened; }
  const std::string& lastFailure() const { return lastRead_.failure; }
  // Any thread: ends a read in progress and makes every later read give "".
  void cancel() { reader_.cancel(); }

  // Page processing of sPageURL; lastReadOpened() then tells whether its page opened.
  std::string execProc1();
  bool validPage(std::string_view sPage) const;

  // Links.
  void extractLinks(std::string_view sPage, const std::string& sURL);
  bool urlListed(std::string_view sLink) const;
  bool validURL(std::string_view zURL) const;

  // Addresses.
  void extractEmails(std::string_view sPage, const std::string& sURL);
  std::string checkEmail(std::string& vAddress) const;
  bool emailListed(std::string_view vAddress) const;

 private:
  // The emptiness tests look at the boxes as they are now; the entries are the lists of Start.
  PageRules rulesFromWindow() const;
  PageJob jobAt(std::string url) const;

  ScanState& state_;
  Window& window_;
  // The window's keyword lists and file patterns, compiled when they change.
  mutable CompiledKeywords urlMust_, urlMustNot_, pagesMust_, pagesMustNot_;
  mutable std::optional<OmittedFiles> omitted_;
  mutable std::string omittedSource_;
  PageReader reader_;
  PageProcessor processor_;
  ReadResult lastRead_;
};

}  // namespace korvex
