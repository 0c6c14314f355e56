// CNetGet: the page engine. Reads pages over HTTP within the per-page time limit and processes
// one page into the scan state and the window it is given: frames, page rules, addresses, links.
// The main window has one (objNet); every worker has its own, with a window of its own.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "page/clock.h"
#include "page/keyword_rules.h"
#include "page/net_reader.h"
#include "scan/window.h"

namespace korvex {

struct ScanState;
class Host;

// A page larger than this is read up to it, like a page cut by the time limit.
inline constexpr size_t kMaxPageBytes = 16u << 20;
// A page and the frames added to it are processed up to this size together.
inline constexpr size_t kMaxFramedPageBytes = kMaxPageBytes;
// Frame sources read for one page: a page of thousands of sources must not hold a worker for
// thousands of time limits.
inline constexpr int kMaxFrameReads = 64;
// A read whose time limit has passed still waits this long for its first chunk, as a read that
// is only tested between chunks would.
inline constexpr std::chrono::seconds kFirstChunkGrace{2};
inline constexpr std::string_view kAgent = "Microsoft Internet Explorer";

class CNetGet {
 public:
  CNetGet(ScanState& state, Window& window, Host& host, const Clock& clock = systemClock());
  ~CNetGet();
  CNetGet(const CNetGet&) = delete;
  CNetGet& operator=(const CNetGet&) = delete;

  // Reading.
  void openUrl();
  std::string ReadUrl(const std::string& sURL);
  std::string closeURL();
  bool connOpen() const { return connection_ != Connection::None; }
  void SetURL(std::string url) { sCurrentURL_ = std::move(url); }
  void SetStartTime(Clock::TimePoint time) { dStartTime_ = time; }
  // Whether the last ReadUrl reached the page (an empty page included).
  bool lastReadOpened() const { return lastReadOpened_; }
  // Any thread: ends a read in progress and makes every later read give "".
  void cancel() { cancelled_ = true; }

  // Page processing.
  std::string execProc1();
  // Whether the last execProc1 could open its page.
  bool pageOpened() const { return pageOpened_; }
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
  enum class Connection { None, Open, Closed };
  bool timeUp(double maxTime) const;
  KeywordRules rulesFromWindow(Field mustBox, Field mustNotBox, Option any, Option all,
                               const std::vector<std::string>& must,
                               const std::vector<std::string>& mustNot) const;
  void addFrames(const std::string& sPageURL);

  ScanState& state_;
  Window& window_;
  Host& host_;
  const Clock& clock_;

  Connection connection_ = Connection::None;
  std::unique_ptr<HttpConnection> http_;
  bool reading_ = false;
  bool limitUnreadable_ = false;
  bool lastReadOpened_ = false;
  bool pageOpened_ = false;
  std::atomic<bool> cancelled_{false};
  std::string sPageText_;
  std::string vOriginal_;
  std::string vPage_;
  bool bAccepted_ = false;
  std::string sCurrentURL_;
  Clock::TimePoint dStartTime_{};
};

}  // namespace korvex
