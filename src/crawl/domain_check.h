// Whether the domains of a scan's addresses can take mail, asked of DNS on a thread of its own
// while the crawl goes on: MX first, then A and AAAA. Never a connection to a mail server.
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/wakeup.h"

namespace korvex {

// At most this many domains are asked at once.
inline constexpr int kDomainChecksInFlight = 16;
// One query's time with its tries, whatever the number of servers.
inline constexpr std::chrono::milliseconds kDnsQueryTime{5000};

struct DomainAnswer {
  enum class State { Mail, NoMail, HostOnly, NoSuchDomain, Unknown };
  State state = State::Unknown;
  std::string reason = "";  // Unknown: why
  bool operator==(const DomainAnswer&) const = default;
};

// As the window and the outputs say it: "mail", "no mail", "host only", "no such domain",
// "unknown: REASON".
std::string describe(const DomainAnswer& answer);
// The answer that describe() gave; nothing for any other text.
std::optional<DomainAnswer> answerFromText(std::string_view text);

class DomainChecker {
 public:
  // `servers` (each checked) replace the system's resolver configuration when any is given.
  // `wakeup` is sent when an answer comes.
  DomainChecker(std::vector<std::string> servers, std::shared_ptr<const Wakeup> wakeup);
  // Checks still open end unanswered; the thread is joined.
  ~DomainChecker();
  DomainChecker(const DomainChecker&) = delete;
  DomainChecker& operator=(const DomainChecker&) = delete;

  // Asks for the domain's answer; a domain still open is not asked twice. (The scan's results
  // ask each domain once.)
  void check(const std::string& domain);
  // The answers that came since the last call, in the order they came.
  std::vector<std::pair<std::string, DomainAnswer>> answers();
  // Domains asked and not yet answered.
  size_t open() const;
  // Every open check ends as "not answered in time".
  std::vector<std::pair<std::string, DomainAnswer>> giveUp();

 private:
  struct Loop;
  std::shared_ptr<Loop> loop_;
  std::thread thread_;
};

}  // namespace korvex
