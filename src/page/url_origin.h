// The origin (scheme, host, port) of a URL: the unit robots.txt and politeness work on.
#pragma once

#include <optional>
#include <string>

namespace korvex {

struct UrlOrigin {
  std::string origin;        // "http://host:80", lower case, the port always given
  std::string pathAndQuery;  // "/a/b?c", as spelled
};

// Nothing for a URL that is not http or https, or that libcurl cannot parse.
std::optional<UrlOrigin> originOf(const std::string& url);

}  // namespace korvex
