#include "settings/url_list.h"

#include "base/shown_url.h"
#include "base/text.h"

namespace korvex {

UrlList readUrlList(std::string_view text) {
  UrlList list;
  size_t number = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty() || line.front() == '#') continue;
    const size_t scheme = startsWithNoCase(line, "http://")    ? 7
                          : startsWithNoCase(line, "https://") ? 8
                                                               : 0;
    if (scheme && line.size() > scheme && line.find_first_of("/?#", scheme) != scheme) {
      list.urls.emplace_back(line);
    } else {
      list.problems.push_back("line " + std::to_string(number) +
                              ": not an http or https URL: " + shownValue(line));
    }
  }
  return list;
}

}  // namespace korvex
