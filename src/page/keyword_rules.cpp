#include "page/keyword_rules.h"

#include <algorithm>

#include "base/text.h"

namespace korvex {

bool passesKeywordRules(std::string_view text, const KeywordRules& rules) {
  auto occurs = [text](const std::string& keyword) { return containsNoCase(text, keyword); };
  bool result = true;
  if (rules.mustFieldFilled && rules.must) {
    if (rules.matchAny) {
      result = std::any_of(rules.must->begin(), rules.must->end(), occurs);
    } else if (rules.matchAll) {
      result = std::all_of(rules.must->begin(), rules.must->end(), occurs);
    }
  }
  if (result && rules.mustNotFieldFilled && rules.mustNot)
    result = std::none_of(rules.mustNot->begin(), rules.mustNot->end(), occurs);
  return result;
}

}  // namespace korvex
