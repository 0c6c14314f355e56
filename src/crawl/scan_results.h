// What a scan finds, as typed values that the engine owns: the counters, every address with its
// page in the order found, the URLs handed out and the URLs refused. Every change also goes to
// the scan's sink (the window, the command line), which shows it its own way.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/email_list.h"
#include "base/scan_state.h"
#include "crawl/domain_check.h"

namespace korvex {

struct ScanCounters {
  long long extracted = 0;   // links taken into the crawl ("URLs Extracted:")
  long long valid = 0;       // pages that passed the page rules ("Valid URLs:")
  long long processed = 0;   // URLs handed out ("Processed:")
  long long emails = 0;      // addresses ("Emails Extracted:")
  long long refused = 0;     // URLs robots.txt kept the scan from
  long long outOfScope = 0;  // links left out because their site is not the scan's
  bool operator==(const ScanCounters&) const = default;
};

struct FoundAddress {
  long long n;  // its running number
  std::string address;
  std::string page;  // as it may be shown
};

// The crawl's progress as a journal keeps it to continue the scan: URLs as read, passwords
// included. A collection's events come between its page's hand-out and its Collected.
struct CrawlEvent {
  enum class Kind {
    Queued,      // a URL joins a level
    KnownOnly,   // a page's final URL: known, never handed out
    HandedOut,   // to a worker, or a result page read in keyword mode
    PassedOver,  // the URL rules refuse it
    Refused,     // robots.txt
    Collected,   // its worker's results are all in
    Address,     // the addresses a page gave, as the results show them
    OutOfScope,  // a link left out by the scope
    Domain,      // a domain's answer in DNS
  };
  CrawlEvent(Kind kind, std::string url, long long level = 0)
      : kind(kind), url(std::move(url)), level(level) {}

  Kind kind;
  std::string url;                              // Address: empty
  long long level;                              // Queued
  long long linksTaken = 0, pagesAccepted = 0;  // Collected: what it added to the counters
  std::string detail;  // Refused: the reason; Address: the page as shown; Domain: the answer
  bool robotsUnreadable = false;
  std::shared_ptr<const EmailList> addresses;  // Address: in the order found
};

// What is shown of the results, and what is kept of the crawl; a sink takes what it needs.
class ScanSink {
 public:
  virtual ~ScanSink() = default;
  virtual void urlHandedOut(const std::string& /*shownUrl*/) {}
  virtual void addressFound(const FoundAddress& /*found*/) {}
  virtual void urlRefused(const RefusedURL& /*refused*/) {}
  virtual void countersChanged(const ScanCounters& /*counters*/) {}
  virtual void crawled(const CrawlEvent& /*event*/) {}
  // The domain's answer in DNS, once for each domain of the addresses.
  virtual void domainChecked(const std::string& /*domain*/, const DomainAnswer& /*answer*/) {}
};

// Where a journal left a scan: its results so far (pages as shown) and the URLs it knows.
struct ScanProgress {
  ScanCounters counters;
  std::vector<FoundAddress> addresses;
  std::vector<std::string> scanned;
  std::vector<RefusedURL> refused;
  std::vector<std::string> known;          // every URL the scan knows, as read
  long long level = 1;                     // the level to go on with
  std::vector<std::string> levelUrls;      // its URLs not yet read, in their order
  std::vector<std::string> nextLevelUrls;  // the next level's, found so far
  std::vector<std::pair<std::string, DomainAnswer>> domains;  // the answers in DNS so far
};

// The addresses of a scan in the order found, each once, compactly: the list of their bytes, and
// for each its page, every page held once (a page's addresses come together).
class AddressBook {
 public:
  // False when an equal address is in the book already.
  bool add(std::string_view address, std::string_view page);
  size_t size() const { return addresses_.size(); }
  bool empty() const { return addresses_.empty(); }
  std::string_view address(size_t i) const { return addresses_[i]; }
  const std::string& page(size_t i) const { return pages_[pageOf_[i]]; }
  // The address as the sinks are told it: numbered from 1.
  FoundAddress operator[](size_t i) const {
    return {static_cast<long long>(i) + 1, std::string(address(i)), page(i)};
  }
  void clear();

  class Iterator {
   public:
    Iterator(const AddressBook& book, size_t i) : book_(&book), i_(i) {}
    FoundAddress operator*() const { return (*book_)[i_]; }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return i_ != other.i_; }

   private:
    const AddressBook* book_;
    size_t i_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

 private:
  EmailList addresses_;
  std::vector<uint32_t> pageOf_;
  std::vector<std::string> pages_;
};

// The scan's thread changes the results; another thread (the window's) reads the lists, the
// refused URLs and the answers in DNS while it holds reading(), and only rows it was told of.
class ScanResults {
 public:
  // Start: nothing found; the links counter starts at 1, the base URL's own.
  void reset(std::vector<ScanSink*> sinks);
  // A resumed scan: the results a journal kept, shown again to every sink but told to none as
  // new.
  void restore(const ScanProgress& progress);
  const ScanCounters& counters() const { return counters_; }
  const AddressBook& addresses() const { return addresses_; }
  const std::vector<std::string>& scanned() const { return scanned_; }
  const std::vector<RefusedURL>& refused() const { return refused_; }
  // Held while another thread reads: the scan's changes wait for it. The views' reads nest.
  [[nodiscard]] std::unique_lock<std::recursive_mutex> reading() const {
    return std::unique_lock(mutex_);
  }

  // With a checker, every new domain of the addresses is asked of it once.
  using DomainAsker = std::function<void(const std::string& domain)>;
  void checkDomains(DomainAsker ask) { ask_ = std::move(ask); }
  bool checksDomains() const { return static_cast<bool>(ask_) || !domains_.empty(); }
  // The answer for the address's domain, as the outputs write it; empty while none came.
  std::string dnsOf(std::string_view address) const;
  void domainAnswered(const std::string& domain, const DomainAnswer& answer);
  // Each state's number of addresses, in the order of the states.
  std::vector<std::pair<std::string, long long>> addressesByState() const;

  void urlHandedOut(const std::string& url);
  void linksTaken(long long count);
  void pagesAccepted(long long count);
  // The addresses of one page; those found before are passed over.
  void addressesFound(const EmailList& addresses, const std::string& pageUrl);
  void urlRefused(RefusedURL refused);
  void outOfScope(const std::string& url);
  void crawled(const CrawlEvent& event);

 private:
  void counted();
  void ask(const std::string& domain);
  bool added(std::string_view address, std::string_view page);

  std::vector<ScanSink*> sinks_;
  mutable std::recursive_mutex mutex_;  // the lists, the refused URLs and the answers
  ScanCounters counters_;
  AddressBook addresses_;
  std::vector<std::string> scanned_;
  std::vector<RefusedURL> refused_;
  DomainAsker ask_;
  std::map<std::string, std::optional<DomainAnswer>, std::less<>> domains_;  // empty: asked
};

}  // namespace korvex
