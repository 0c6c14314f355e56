#include "page/links.h"

#include <gtest/gtest.h>

#include "support/engine_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

TEST(Links, ResolvesAsBrowsersDo) {
  // RFC 3986, sections 5.4.1 and 5.4.2, except that the page itself (an empty or fragment-only
  // reference) and other schemes give nothing, and fragments are left out.
  const std::string rfcBase = "http://a/b/c/d;p?q";
  // clang-format off
  const std::pair<const char*, const char*> rfc[] = {
      {"g:h", ""}, {"g", "http://a/b/c/g"}, {"./g", "http://a/b/c/g"}, {"g/", "http://a/b/c/g/"},
      {"/g", "http://a/g"}, {"//g", "http://g"}, {"?y", "http://a/b/c/d;p?y"},
      {"g?y", "http://a/b/c/g?y"}, {"#s", ""}, {"g#s", "http://a/b/c/g"},
      {"g?y#s", "http://a/b/c/g?y"}, {";x", "http://a/b/c/;x"}, {"g;x", "http://a/b/c/g;x"},
      {"g;x?y#s", "http://a/b/c/g;x?y"}, {"", ""}, {".", "http://a/b/c/"}, {"./", "http://a/b/c/"},
      {"..", "http://a/b/"}, {"../", "http://a/b/"}, {"../g", "http://a/b/g"},
      {"../..", "http://a/"}, {"../../", "http://a/"}, {"../../g", "http://a/g"},
      {"../../../g", "http://a/g"}, {"../../../../g", "http://a/g"}, {"/./g", "http://a/g"},
      {"/../g", "http://a/g"}, {"g.", "http://a/b/c/g."}, {".g", "http://a/b/c/.g"},
      {"g..", "http://a/b/c/g.."}, {"..g", "http://a/b/c/..g"}, {"./../g", "http://a/b/g"},
      {"./g/.", "http://a/b/c/g/"}, {"g/./h", "http://a/b/c/g/h"}, {"g/../h", "http://a/b/c/h"},
      {"g;x=1/./y", "http://a/b/c/g;x=1/y"}, {"g;x=1/../y", "http://a/b/c/y"},
      {"g?y/./x", "http://a/b/c/g?y/./x"}, {"g?y/../x", "http://a/b/c/g?y/../x"},
      {"g#s/./x", "http://a/b/c/g"}, {"http:g", "http://a/b/c/g"}
  };
  // clang-format on
  for (const auto& [link, expected] : rfc) {
    SCOPED_TRACE(link);
    EXPECT_EQ(resolveLink(link, rfcBase, ""), expected);
  }
  // The page, the link, and the URL it gives ("" when dropped).
  // clang-format off
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"http://H/a/page", "//cdn.example.org/lib.html", "http://cdn.example.org/lib.html"},
      {"https://H/a/page", "//cdn.example.org/x", "https://cdn.example.org/x"},
      {"http://H/a/page", "?page=2", "http://H/a/page?page=2"}, {"http://H/a/page", "#top", ""},
      {"http://H/a/page", "contact", "http://H/a/contact"},
      {"http://H/a/page", "wwwboard/x.html", "http://H/a/wwwboard/x.html"},
      {"http://H/a/page", "ftp-guide.html", "http://H/a/ftp-guide.html"},
      {"http://H/a/page", "httpdocs/a.html", "http://H/a/httpdocs/a.html"},
      {"http://H", "c.html", "http://H/c.html"}, {"http://H?q=1", "c.html", "http://H/c.html"},
      {"http://H/a/b.html", "www.H/x.html", "http://www.H/x.html"},
      {"http://H/a/b.html", "www.H:8080/x", "http://www.H:8080/x"},
      {"http://H/a/b.html", "pic.GIF", ""}, {"http://H/a/b.html", "song.mpeg", ""},
      {"http://H/a/b.html", "app.js", "http://H/a/app.js"},
      {"http://H/a/b.html", "MailTo:someone", ""}, {"http://H/a/b.html", "ftp://f/x.html", ""},
      {"http://H/a/b.html", "javascript:go()", ""}, {"http://H/a/b.html", "tel:+1-555-0100", ""},
      {"http://H/a/b.html", "https:g", ""}, {"HTTPS://H/a/b.html", "/d.html", "HTTPS://H/d.html"},
      {"http://u:p@H:81/a/b", "c", "http://u:p@H:81/a/c"},
      {"http://u:p@H/a/b", "//O/c", "http://O/c"},
      {"http://H/a/b.html", "http://O/x/../y?q=../z", "http://O/y?q=../z"},
      {"http://H/a/?ref=footer/x", "../blog/", "http://H/blog/"},
      {"http://H/a/b.html", "a/b:c.html", "http://H/a/a/b:c.html"},
      {"http://H/a/b.html", "  'q.html?id=1'  ", "http://H/a/q.html?id=1"},
      {"file:///etc/", "c.html", ""}};
  // clang-format on
  for (const auto& [page, link, expected] : cases) {
    SCOPED_TRACE(std::string(page) + " + " + link);
    EXPECT_EQ(resolveLink(link, page, kOmitExtensions), expected);
  }
}

struct PageCase {
  const char* name;
  const char* page;
  Strings expected;
};

Strings linksOf(test::EngineHarness& h, std::string_view page, VisitedURLs known = {}) {
  const PageResult r = h.process(page, "http://h/a/p", 1, std::move(known));
  EXPECT_EQ(r.extUrls, static_cast<long long>(r.links.size()));
  return r.links;
}

TEST(Links, HrefValueScanning) {
  const PageCase cases[] = {
      {"double quotes and more attributes", "<a href=\"x.html\" class=c>", {"http://h/a/x.html"}},
      {"apostrophes", "<a href='y.html'>", {"http://h/a/y.html"}},
      {"unquoted, closed by >", "<a href=z.html>t</a>", {"http://h/a/z.html"}},
      {"a quoted value ends at its quote, whatever follows; spaces around =",
       "<link href=\"a1.html\"/><a href=\"a2.html\"title=\"t\"><a href=\"a3.html\"\nclass=x>"
       "<a href = \"a7.html\"><a\tHREF\n=\n'a8.html'>",
       {"http://h/a/a1.html", "http://h/a/a2.html", "http://h/a/a3.html", "http://h/a/a7.html",
        "http://h/a/a8.html"}},
      {"blank inside a quoted value encoded",
       "<a href=\"my page.html\">",
       {"http://h/a/my%20page.html"}},
      {"tabs and line breaks removed", "<a href=\"x\t\r\n.html\">", {"http://h/a/x.html"}},
      {"an unquoted value ends at whitespace", "<a href=u\r\n.html>", {"http://h/a/u"}},
      {"capitals", "<A HREF=\"X.html\">", {"http://h/a/X.html"}},
      {"same link twice", "<a href=x.html><a href=X.HTML>", {"http://h/a/x.html"}},
      {"markup shown as text is no link; script navigation and plain text are",
       "<code>&lt;a href=\"c1.html\"&gt;</code><pre>&LT;link href=c2.html/&gt;</pre>"
       "<a href=ok.html> 1 &lt; 2 <a href=ok2.html><script>location.href = \"go.html\"</script>"
       "see href=t.html",
       {"http://h/a/ok.html", "http://h/a/ok2.html", "http://h/a/go.html", "http://h/a/t.html"}},
      {"escaped markup in script strings",
       R"(<script>var s = "<a class=\"s\" href=\"struct.Iter.html\">";
         var d = "x = \"<a href=\\\"deep\\\/d.html\\\">\"";
         var j = {"h": "<a href=\u0022j\u002fk.html\u0022>", "e": "<a href=\"e\/f\x2eh\u0074ml\">"};
         var n = "<a href=\"never.html"; var m = "<a href=\\\"m.html\"";</script>)",
       {"http://h/a/struct.Iter.html", "http://h/a/deep/d.html", "http://h/a/j/k.html",
        "http://h/a/e/f.html"}},
      {"escaped markup resolves against <base href>",
       R"(<base href="/b/"><script>s = "<a href=\"x.html\">";</script>)",
       {"http://h/b/x.html"}},
      {"backslashes are slashes before the query",
       R"(<a href="b\c.html"><a href='\\o\p'><a href="q.html?x=\y">)",
       {"http://h/a/b/c.html", "http://o/p", "http://h/a/q.html?x=\\y"}},
      {"templates are no URLs",
       R"(<a href="static.files/${f}"><a href="{{url}}"><a href="{% url 'x' %}">)"
       R"(<link href="/s?q={searchTerms}&amp;p={startPage?}"><a href="ok{1}.html">)",
       {"http://h/a/ok{1}.html"}},
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
      {"the first <base href> is the base of the links after it, and no link itself",
       "<a href=x><BASE\tHREF=\"//o/d/\"><a href=y><a href=#top><base href=/z/><a href=w>",
       {"http://h/a/x", "http://o/d/y", "http://o/d/w"}},
      {"a <base> without a usable URL changes nothing",
       "<base href=tel:1><a href=y>",
       {"http://h/a/y"}},
      {"an attribute named like a base tag is a link", "<basement href=y>", {"http://h/a/y"}},
      {"character references decoded",
       "<a href=\"q?a=1&amp;b=2&#38;c=3&#x26;d=&lt;&gt;\"><a href=x&amp;y&bogus;>",
       {"http://h/a/q?a=1&b=2&c=3&d=%3C%3E", "http://h/a/x&y&bogus;"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::EngineHarness h;
    EXPECT_EQ(linksOf(h, c.page), c.expected);
  }
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
    h.settings.setKeywordBoxes(c.must, c.mustNot, "", "");
    h.settings.optUrlAny = !c.all;
    h.settings.optUrlAll = c.all;
    Strings expected;
    for (const char* i = c.taken; *i; ++i)
      expected.push_back("http://h/a/" + pages[*i - '0'] + ".html");
    EXPECT_EQ(linksOf(h, page), expected);
  }
}

}  // namespace
}  // namespace korvex
