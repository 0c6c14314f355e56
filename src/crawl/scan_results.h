// What a scan finds, as typed values that the engine owns: the counters, every address with its
// page in the order found, the URLs handed out and the URLs refused. Every change also goes to
// the scan's sink (the window, the command line), which shows it its own way.
#pragma once

#include <string>
#include <vector>

#include "base/scan_state.h"

namespace korvex {

struct ScanCounters {
  long long extracted = 0;  // links taken into the crawl ("URLs Extracted:")
  long long valid = 0;      // pages that passed the page rules ("Valid URLs:")
  long long processed = 0;  // URLs handed out ("Processed:")
  long long emails = 0;     // addresses ("Emails Extracted:")
  long long refused = 0;    // URLs robots.txt kept the scan from
  bool operator==(const ScanCounters&) const = default;
};

struct FoundAddress {
  long long n;  // its running number
  std::string address;
  std::string page;  // as it may be shown
};

class ScanSink {
 public:
  virtual ~ScanSink() = default;
  virtual void urlHandedOut(const std::string& shownUrl) = 0;
  virtual void addressFound(const FoundAddress& found) = 0;
  virtual void urlRefused(const RefusedURL& refused) = 0;
  virtual void countersChanged(const ScanCounters& counters) = 0;
};

class ScanResults {
 public:
  // Start: nothing found; the links counter starts at 1, the base URL's own.
  void reset(ScanSink* sink);
  const ScanCounters& counters() const { return counters_; }
  const std::vector<FoundAddress>& addresses() const { return addresses_; }
  const std::vector<std::string>& scanned() const { return scanned_; }
  const std::vector<RefusedURL>& refused() const { return refused_; }

  void urlHandedOut(const std::string& url);
  void linksTaken(long long count);
  void pagesAccepted(long long count);
  void addressFound(const std::string& address, const std::string& pageUrl);
  void urlRefused(RefusedURL refused);

 private:
  void counted();

  ScanSink* sink_ = nullptr;
  ScanCounters counters_;
  std::vector<FoundAddress> addresses_;
  std::vector<std::string> scanned_;
  std::vector<RefusedURL> refused_;
};

}  // namespace korvex
