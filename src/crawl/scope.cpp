#include "crawl/scope.h"

#include <libpsl.h>

#include "page/url_origin.h"

namespace korvex {
namespace {

// "http://host:80" gives "host".
std::string hostOf(const std::string& url) {
  const auto origin = originOf(url);
  if (!origin) return {};
  const std::string& o = origin->origin;
  const size_t start = o.find("://") + 3;
  return o.substr(start, o.rfind(':') - start);
}

}  // namespace

std::string siteOf(const std::string& host) {
  // An address is its own site.
  if (host.find_first_not_of("0123456789.") == std::string::npos || host.starts_with("["))
    return host;
  // The newest list there is: the one built in, or Debian's publicsuffix file when newer.
  static const psl_ctx_t* const list = psl_latest(nullptr);
  const char* site = list ? psl_registrable_domain(list, host.c_str()) : nullptr;
  return site ? std::string(site) : host;
}

ScopeRule::ScopeRule(Scope scope, const std::vector<std::string>& starts) : scope_(scope) {
  if (scope_ == Scope::Any) return;
  for (const std::string& start : starts)
    if (std::string key = keyOf(start); !key.empty()) keys_.insert(std::move(key));
}

std::string ScopeRule::keyOf(const std::string& url) const {
  const std::string host = hostOf(url);
  return scope_ == Scope::Domain && !host.empty() ? siteOf(host) : host;
}

bool ScopeRule::contains(const std::string& url) const {
  return scope_ == Scope::Any || keys_.count(keyOf(url)) > 0;
}

}  // namespace korvex
