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
  const struct {
    std::string text;
    std::string path;
    bool allowed;
  } rows[] = {
      {groups, "/", true},
      {groups, "/before-any-group", true},
      {groups, "/private/", false},
      {groups, "/private/a.html", false},
      {groups, "/private/open.html", true},
      {groups, "/run.cgi", false},
      {groups, "/run.cgi?x=1", true},
      {groups, "/a/b.cgi", false},
      {groups, "/tmp1/x.html", false},
      {groups, "/tmp/y/x", false},
      {groups, "/tmp1/y.html", true},
      {groups, "/tie", true},
      {groups, "/second-group/a", false},
      {groups, "/robots.txt", true},
      {"User-agent: *\nDisallow: /a\nAllow: /a/b\nDisallow: /a/b/c\n", "/a/b/c/d", false},
      {"User-agent: *\nDisallow: /a\nAllow: /a/b\nDisallow: /a/b/c\n", "/a/b/x", true},
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
  const struct {
    std::string text;
    long long ms;  // -1: none
  } rows[] = {
      {"User-agent: *\nCrawl-delay: 2\n", 2000},
      {"User-agent: *\nCrawl-delay: 0.25\nUser-agent: korvex\nDisallow: /x\n", -1},
      {"User-agent: korvex\nCrawl-delay: 1.5\nCrawl-delay: 9\n", 1500},
      {"User-agent: *\nCrawl-delay: soon\n", -1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    const auto delay = RobotsRules::parse(r.text).crawlDelay();
    EXPECT_EQ(delay ? delay->count() : -1, r.ms);
  }
}

}  // namespace
}  // namespace korvex
