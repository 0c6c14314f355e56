#include "page/links.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "support/engine_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

TEST(Links, ResolvesAgainstThePage) {
  // The page, the link, and the URL it gives ("" when dropped).
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"http://H/a/b.html", "c.html", "http://H/a/c.html"},
      {"http://H/a/b.html", "/d.html", "http://H/d.html"},
      {"http://H/a/dir", "c.html", "http://H/a/dir/c.html"},
      {"http://H", "c.html", "http://H/c.html"},
      {"http://H/a/b.html", "#top", "http://H/a/"},
      {"http://H/a/b.html", "www.H/x.html", "http://www.H/x.html"},
      {"http://H/a/b.html", "c.html#part", "http://H/a/c.html"},
      {"http://H/a/b.html", "pic.GIF", ""},
      {"http://H/a/b.html", "MailTo:someone", ""},
      {"https://H/a/b.html", "/d.html", "https://H/d.html"},
      {"HTTP://H/a/b.html", "/d.html", "HTTP://H/d.html"},
      {"http://H/a/b.html", "ftpguide.html", ""},
      {"http://H/a/b.html", "javascript:go()", ""},
      {"http://H/a/b.html", "https://other/x", "https://other/x"},
      {"http://H/a/b.html", "app.js", "http://H/a/app.js"},
      {"http://H/a/b.html", "data.gz", "http://H/a/data.gz"},
      {"http://H/a/b.html", "song.mpeg", ""},
      {"http://H/a/b.html", "./x/../y.html", "http://H/a/y.html"},
      {"http://H/a/b.html", "../c.html", "http://H/c.html"},
      {"http://H/a/b.html", "../../../c.html", "http://H/c.html"},
      {"http://H/a/b.html", ".", "http://H/a/"},
      {"http://H/a/b.html", "/p/./q/../r/", "http://H/p/r/"},
      {"http://H/a/b.html", "http://O/x/../y?q=../z", "http://O/y?q=../z"},
      {"http://H/a/b.html", "s/../a b.html", "http://H/a/a b.html"},  // refused by libcurl
      {"http://H/a/?ref=footer/x", "../blog/", "http://H/blog/"},
      {"http://H/p.html?x=/y/z#f/g", "c.html", "http://H/c.html"},
      {"http://H/a/b.html", "tel:+1-555-0100", ""},
      {"http://H/a/b.html", "file:///etc/passwd", ""},
      {"http://H/a/b.html", "a/b:c.html", "http://H/a/a/b:c.html"},
      {"http://H/a/b.html", "c.html?x=a:b", "http://H/a/c.html?x=a:b"},
      {"http://H/a/b.html", "httpguide.html", "http://H/a/httpguide.html"},
      {"http://H/a/b.html", "www.H:8080/x", "http://www.H:8080/x"},
      {"http://H/a/b.html", "  'q.html?id=1'  ", "http://H/a/q.html?id=1"},
  };
  for (const auto& [page, link, expected] : cases) {
    SCOPED_TRACE(std::string(page) + " + " + link);
    EXPECT_EQ(resolveLink(link, getBaseURL(page, link), kOmitExtensions), expected);
  }
}

struct PageCase {
  const char* name;
  const char* page;
  Strings expected;
};

Strings linksOf(test::EngineHarness& h, std::string_view page) {
  h.net.extractLinks(page, "http://h/a/p.html");
  return h.state.sPendingURLs;
}

TEST(Links, HrefValueScanning) {
  const PageCase cases[] = {
      {"double quotes and more attributes", "<a href=\"x.html\" class=c>", {"http://h/a/x.html"}},
      {"apostrophes", "<a href='y.html'>", {"http://h/a/y.html"}},
      {"unquoted, closed by >", "<a href=z.html>t</a>", {"http://h/a/z.html"}},
      {"blank inside a quoted value cuts it", "<a href=\"my page.html\">", {"http://h/a/my"}},
      {"blank before the equals sign", "<a href =\"x.html\">", {}},
      {"capitals", "<A HREF=\"X.html\">", {"http://h/a/X.html"}},
      {"same link twice", "<a href=x.html><a href=X.HTML>", {"http://h/a/x.html"}},
      {"line break kept in the value", "<a href=x\r\n.html>", {"http://h/a/x\r\n.html"}},
      {"redirect link gives every embedded URL",
       "<a href=\"/go?to=http://a.com/&alt=HTTPS://b.org/p\"><a href=http://http://c.com/>",
       {"http://h/go?to=", "http://a.com/&alt=", "https://b.org/p", "http://c.com/"}},
      {"mail, ftp and script links dropped",
       "<a href=mailto:a@b.c><a href=ftp://f/><a href=javascript:x()>",
       {}},
      {"semicolon stays inside the URL",
       "<a href=\"p;jsessionid=1\">",
       {"http://h/a/p;jsessionid=1"}},
      {"href= at the very end", "<a href=", {}},
      {"character references decoded",
       "<a href=\"q?a=1&amp;b=2&#38;c=3&#x26;d=&lt;&gt;\"><a href=x&amp;y&bogus;>",
       {"http://h/a/q?a=1&b=2&c=3&d=<>", "http://h/a/x&y&bogus;"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::EngineHarness h;
    EXPECT_EQ(linksOf(h, c.page), c.expected);
    EXPECT_EQ(h.window.text(Field::txtNoOfExtUrl),
              c.expected.empty() ? "" : std::to_string(c.expected.size()));
  }
}

TEST(Links, KnownUrlsAreWholeUrlsIgnoringCase) {
  test::EngineHarness h;
  h.state.sVisitedURLs.add("http://h/page?id=12");
  h.state.sVisitedURLs.add("http://h/deep/er.html");
  EXPECT_EQ(linksOf(h, "<a href=/page?id=1><a href=/><a href=/PAGE?ID=12><a href=/deep/er.html>"),
            (Strings{"http://h/page?id=1", "http://h/"}));
  EXPECT_TRUE(h.net.urlListed("HTTP://H/PAGE?ID=1"));
}

TEST(Links, UrlKeywordRules) {
  const std::string pages[] = {"news", "blog", "blog-news", "other"};
  const struct {
    const char* name;
    const char* must;
    bool all;
    const char* mustNot;
    const char* taken;  // the indexes of the pages taken
  } cases[] = {
      {"any of two", "news\r\nblog", false, "", "012"},
      {"all of two", "news\r\nblog", true, "", "2"},
      {"all with an empty line passes the word", "news\r\n", true, "", "02"},
      {"must not", "", false, "BLOG", "03"},
      {"must not with an empty entry drops all", "", false, "x\r\n", ""},
      {"must box of blanks is no rule", "   ", false, "", "0123"},
  };
  std::string page;
  for (const auto& p : pages) page += "<a href=" + p + ".html>";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::EngineHarness h;
    h.window.setText(Field::txtURLMustKeyword, c.must);
    h.window.setText(Field::txtURLMustNotKeyword, c.mustNot);
    h.window.setOption(c.all ? Option::OptURLAll : Option::OptURLAny, true);
    h.state.aURLMust = split(c.must, "\r\n");
    h.state.aURLMustNot = split(c.mustNot, "\r\n");
    Strings expected;
    for (const char* i = c.taken; *i; ++i)
      expected.push_back("http://h/a/" + pages[*i - '0'] + ".html");
    EXPECT_EQ(linksOf(h, page), expected);
  }
}

}  // namespace
}  // namespace korvex
