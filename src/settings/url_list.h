// A list of start URLs, one a line, as a file or the window's box holds it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

struct UrlList {
  std::vector<std::string> urls;
  // One for each line that is not an http or https URL: "line N: why", N counting every line.
  std::vector<std::string> problems;
};

// Blank lines and lines that begin with "#" are skipped.
UrlList readUrlList(std::string_view text);

}  // namespace korvex
