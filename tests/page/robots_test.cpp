#include "page/robots.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(Robots, TheApplyingGroupsLongestPatternDecides) {
  const std::string groups =
      "Disallow: /before-any-group\n"
      "User-agent: *\n"
      "Disallow: /\n"
      "\n"
      "User-agent: OtherBot\n"
      "user-agent: KORVEX/1.5   # the product token, whatever its case and version\n"
      "Disallow: /private/\n"
      "Allow: /private/open\n"
      "Disallow: /*.cgi$\n"
      "Disallow: /tmp*/x\n"
      "Sitemap: http://h/map.xml\n"
      "Disallow:\n"
      "Allow: /tie\n"
      "Disallow: /tie\n"
      "User-agent: korvex\n"
      "\tDisallow :\t/second-group   \n";
  const RobotsRules rules = RobotsRules::parse(groups);
  for (const char* path : {"/", "/before-any-group", "/private/open.html", "/run.cgi?x=1",
                           "/tmp1/y.html", "/tie", "/robots.txt"})
    EXPECT_TRUE(rules.allows(path)) << path;
  for (const char* path : {"/private/", "/private/a.html", "/run.cgi", "/a/b.cgi", "/tmp1/x.html",
                           "/tmp/y/x", "/second-group/a"})
    EXPECT_FALSE(rules.allows(path)) << path;
}

TEST(Robots, PatternsAndSpellings) {
  const struct {
    std::string text;
    std::string path;
    bool allowed;
  } rows[] = {
      {"User-agent: *\nDisallow: /a\nAllow: /a/b\nDisallow: /a/b/c\n", "/a/b/c/d", false},
      {"User-agent: *\nDisallow: /a\nAllow: /a/b\nDisallow: /a/b/c\n", "/a/b/x", true},
      {"User-agent: *\nDisallow: /a/b/c\nAllow: /a/b\nDisallow: /a\n", "/a/b/x", true},
      {"User-agent: *\nDisallow: /\n", "/", false},
      {"User-agent: *\nDisallow: /$\n", "/", false},
      {"User-agent: *\nDisallow: /$\n", "/a", true},
      {"User-agent: *\nDisallow: /*/*/deep$\n", "/x/y/deep", false},
      {"User-agent: *\nDisallow: /*/*/deep$\n", "/x/deep", true},
      {"User-agent: *\nDisallow: /**a*b\n", "/xxbxxa", true},
      {"User-agent: Korvexbot\nDisallow: /\n", "/", true},
      {"User-agent: korvex\nDisallow: /a\nUser-agent: other\nDisallow: /b\n", "/b", true},
      {"User-agent: *\r\nDisallow: /a\r\n", "/a", false},
      {"User-agent: *\nDisallow: /%62%61%7a\n", "/baz", false},
      {"User-agent: *\nDisallow: /baz\n", "/%62az", false},
      {"User-agent: *\nDisallow: /a%2fb\n", "/a%2Fb", false},
      {"User-agent: *\nDisallow: /a%2fb\n", "/a/b", true},
      {"User-agent: *\nDisallow: /\xE3\x83\x84\n", "/%e3%83%84", false},
      {"", "/a", true},
      {"User-agent: *\nDisallow: /late\n" + std::string(kMaxRobotsBytes, '#') + "\nDisallow: /\n",
       "/", true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.path + " in\n" + r.text.substr(0, 300));
    EXPECT_EQ(RobotsRules::parse(r.text).allows(r.path), r.allowed);
  }
}

TEST(Robots, CrawlDelayOfTheApplyingGroup) {
  const std::pair<const char*, long long> rows[] = {
      // -1: none
      {"User-agent: *\nCrawl-delay: 2\n", 2000},
      {"User-agent: *\nCrawl-delay: 0.25\nUser-agent: korvex\nDisallow: /x\n", -1},
      {"User-agent: korvex\nCrawl-delay: 1.5\nCrawl-delay: 9\n", 1500},
      {"User-agent: *\nCrawl-delay: soon\n", -1},
  };
  for (const auto& [text, ms] : rows) {
    SCOPED_TRACE(text);
    const auto delay = RobotsRules::parse(text).crawlDelay();
    EXPECT_EQ(delay ? delay->count() : -1, ms);
  }
}

}  // namespace
}  // namespace korvex
