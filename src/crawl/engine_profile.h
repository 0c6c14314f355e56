// The outside search engine that keyword mode reads: its search address and the hosts its result
// pages use.
//
// Defaults:
//   search address        http://search.yahoo.com/search?p=KEYWORDS
//   first redirect host   rds.yahoo.com
//   second redirect host  r.search.yahoo.com
//   numeric host          216.109.117.106
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex {

struct EngineProfile {
  std::string origin = "http://search.yahoo.com";  // scheme, host and port of the search address
  std::string firstRedirectHost = "rds.yahoo.com";
  std::string secondRedirectHost = "r.search.yahoo.com";
  std::string numericHost = "216.109.117.106";

  // The address the keywords are appended to.
  std::string searchAddress() const { return origin + "/search?p="; }
};

// The profile with its origin replaced by that of `engineUrl` (http or https, a host, an
// optional port; any path is ignored). A host given as an IPv4 address also becomes the numeric
// host. Nothing when the URL has no such origin.
std::optional<EngineProfile> withEngine(EngineProfile profile, std::string_view engineUrl);

}  // namespace korvex
