#include <gtest/gtest.h>

#include "base/keyword_set.h"

namespace korvex {
namespace {

TEST(Text, KeywordSetFindsOverlappingKeywordsInOnePass) {
  const struct {
    std::vector<std::string> keywords;
    const char* text;
    bool any, all;
  } cases[] = {
      {{"he", "she", "HERS"}, "ushers", true, true},
      {{"he", "she", "his"}, "ushers", true, false},
      {{"abcd", "bc"}, "xabcx", true, false},
      {{"a", ""}, "xyz", true, false},
      {{""}, "", true, true},
      {{}, "text", false, true},
      {{"news", "news"}, "NEWS", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const KeywordSet set(c.keywords);
    EXPECT_EQ(set.anyOccurs(c.text), c.any);
    EXPECT_EQ(set.allOccur(c.text), c.all);
  }
}

}  // namespace
}  // namespace korvex
