// Worst-case pages for every scanner of page text: repeated schemes in one link value, "href="
// with no value, one enormous link, runs of address characters with and without "@", thousands
// of frame sources, result pages of navigation markers and link cuts; and a plain page of
// ordinary HTML of the same size to compare them with. Used by the hostile benchmark at 16 MiB
// and by the tests at 1 MiB.
#pragma once

#include <string>
#include <vector>

namespace korvex::bench {

enum class Scanner { Page, Keywords, ResultPage };

struct HostilePage {
  std::string name;
  Scanner scanner;  // what reads it: page processing, page keyword rules, or keyword mode
  std::string body;
};

// Every case, each about `bytes` long; the first is the plain page.
std::vector<HostilePage> hostilePages(size_t bytes);
// A page of distinct addresses, each beginning with `prefix`.
std::string distinctAddresses(size_t bytes, const std::string& prefix);
// Page keywords none of which occurs in the plain page, for the keyword-rules case.
std::vector<std::string> hostileKeywords(size_t count);

}  // namespace korvex::bench
