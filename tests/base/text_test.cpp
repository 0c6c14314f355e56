#include "base/text.h"

#include <gtest/gtest.h>

#include "base/keyword_set.h"

namespace korvex {
namespace {

TEST(Text, FindNoCaseFromPosition) {
  // Text, needle, where the search starts, and where it finds the needle.
  const std::tuple<const char*, const char*, size_t, size_t> cases[] = {
      {"xx HREF=a href=b", "href=", 0, 3},
      {"xx HREF=a href=b", "href=", 4, 10},
      {"abc", "ABC", 0, 0},
      {"abc", "abcd", 0, std::string::npos},
      {"aaa", "a", 3, std::string::npos},
      {"Hh", "hh", 0, 0},
      {"hHhHx", "hx", 0, 3},
      {"h@H", "@h", 0, 1},
      {"", "a", 0, std::string::npos},
  };
  for (const auto& [text, needle, from, expected] : cases) {
    SCOPED_TRACE(std::string(text) + " / " + needle);
    EXPECT_EQ(findNoCase(text, needle, from), expected);
    EXPECT_EQ(NoCaseFinder(text, needle).next(from), expected);
  }
}

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
