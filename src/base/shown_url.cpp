#include "base/shown_url.h"

#include <algorithm>

namespace korvex {

std::string shownUrl(std::string_view url) {
  const size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return std::string(url);
  const size_t from = scheme + 3;
  const std::string_view authority =
      url.substr(from, std::min(url.find_first_of("/?#", from), url.size()) - from);
  const size_t at = authority.rfind('@');
  const size_t colon = authority.find(':');
  if (at == std::string_view::npos || colon > at) return std::string(url);
  std::string shown(url.substr(0, from + colon + 1));
  return shown.append("***").append(url.substr(from + at));
}

}  // namespace korvex
