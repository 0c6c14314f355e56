// robots.txt (RFC 9309): the rules of the group that applies to one product token.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Crawlers must parse at least this much of a robots.txt; the rest is not read.
inline constexpr size_t kMaxRobotsBytes = 500u << 10;
// The product token robots.txt groups are matched with, whatever the agent string.
inline constexpr std::string_view kProductToken = "Korvex";

class RobotsRules {
 public:
  // The rules of the groups naming `productToken` (case-insensitive), else those of "*".
  static RobotsRules parse(std::string_view text, std::string_view productToken = kProductToken);
  // Whether a URL's path (with its query) may be read: the longest matching pattern wins, Allow
  // on a tie; no match allows. Escapes of unreserved characters count as those characters.
  bool allows(std::string_view pathAndQuery) const;
  // The group's Crawl-delay, when it gives one.
  std::optional<std::chrono::milliseconds> crawlDelay() const { return crawlDelay_; }

 private:
  struct Rule {
    bool allow;
    std::string pattern;
  };
  std::vector<Rule> rules_;
  std::optional<std::chrono::milliseconds> crawlDelay_;
};

}  // namespace korvex
