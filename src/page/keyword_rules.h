// The keyword rules that URLs and pages must satisfy.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

struct KeywordRules {
  bool mustFieldFilled = false;  // the must-contain box, trimmed, is not empty
  bool matchAny = false;
  bool matchAll = false;
  const std::vector<std::string>* must = nullptr;
  bool mustNotFieldFilled = false;
  const std::vector<std::string>* mustNot = nullptr;
};

// A keyword occurs when found anywhere in the text ignoring case; an empty keyword occurs
// everywhere. With neither option selected the must-contain list is not applied.
bool passesKeywordRules(std::string_view text, const KeywordRules& rules);

}  // namespace korvex
