// The keyword rules that URLs and pages must satisfy.
#pragma once

#include <string>
#include <string_view>

#include "base/keyword_set.h"

namespace korvex {

struct KeywordRules {
  bool mustFieldFilled = false;  // the must-contain box, trimmed, is not empty
  bool matchAny = false;
  bool matchAll = false;
  const KeywordSet* must = nullptr;
  bool mustNotFieldFilled = false;
  const KeywordSet* mustNot = nullptr;
};

// A keyword occurs when found anywhere in the text ignoring case; an empty keyword occurs
// everywhere. With neither option selected the must-contain list is not applied. One pass over
// the text per list, however long the lists.
bool passesKeywordRules(std::string_view text, const KeywordRules& rules);

}  // namespace korvex
