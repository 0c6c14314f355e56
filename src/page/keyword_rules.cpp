#include "page/keyword_rules.h"

namespace korvex {

bool passesKeywordRules(std::string_view text, const KeywordRules& rules) {
  bool result = true;
  if (rules.mustFieldFilled && rules.must) {
    if (rules.matchAny) {
      result = rules.must->anyOccurs(text);
    } else if (rules.matchAll) {
      result = rules.must->allOccur(text);
    }
  }
  if (result && rules.mustNotFieldFilled && rules.mustNot) result = !rules.mustNot->anyOccurs(text);
  return result;
}

}  // namespace korvex
