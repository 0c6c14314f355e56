// Where a scan may go: any site, only the hosts of its start URLs, or only their sites (a
// registrable domain by the Public Suffix List, its subdomains included).
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace korvex {

enum class Scope { Any, Host, Domain };

class ScopeRule {
 public:
  ScopeRule() = default;
  ScopeRule(Scope scope, const std::vector<std::string>& starts);
  // In the scope of any start URL.
  bool contains(const std::string& url) const;

 private:
  std::string keyOf(const std::string& url) const;

  Scope scope_ = Scope::Any;
  std::unordered_set<std::string> keys_;  // hosts or sites of the start URLs
};

// The registrable domain of a host name ("b.example.co.uk" gives "example.co.uk"); the host
// itself when it has none (an address, a public suffix).
std::string siteOf(const std::string& host);

}  // namespace korvex
