#include "base/text.h"

#include <gtest/gtest.h>

#include "base/keyword_set.h"

namespace korvex {
namespace {

TEST(Text, TrimRemovesSpacesOnly) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"  a b  ", "a b"}, {"\ta\t", "\ta\t"}, {" \r\nx\r\n ", "\r\nx\r\n"}, {"   ", ""}, {"", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(trimmed(c.in), c.out);
  }
}

TEST(Text, FindNoCaseFromPosition) {
  struct Case {
    const char* text;
    const char* needle;
    size_t from;
    size_t expected;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.needle);
    EXPECT_EQ(findNoCase(c.text, c.needle, c.from), c.expected);
    EXPECT_EQ(NoCaseFinder(c.text, c.needle).next(c.from), c.expected);
  }
}

TEST(Text, FinderGoesOnAndSeesTheTextGrow) {
  std::string text = "a=b HREF=c x=y href=";
  NoCaseFinder hrefs(text, "href=");
  EXPECT_EQ(hrefs.next(0), 4u);
  EXPECT_EQ(hrefs.next(5), 15u);
  EXPECT_EQ(hrefs.next(16), std::string::npos);
  text += " Href=d";
  hrefs.rebind(text);
  EXPECT_EQ(hrefs.next(16), 21u) << "a failure before the text grew is forgotten";
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

TEST(Text, SplitKeepsEveryPieceButAnEmptyTextGivesNone) {
  EXPECT_TRUE(split("", "\r\n").empty());
  EXPECT_EQ(split("a\r\n\r\nb", "\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(split("a;", ";"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(split(" A \r\n", "\r\n"), (std::vector<std::string>{" A ", ""}));
}

TEST(Text, RemoveAndReplace) {
  EXPECT_EQ(removeChars("\"a'b\"", "\"'"), "ab");
  EXPECT_EQ(replaceAll("a;b;", ";", ", "), "a, b, ");
  EXPECT_EQ(replaceAll("x&amp;y&amp;", "amp;", ""), "x&y&");
}

}  // namespace
}  // namespace korvex
