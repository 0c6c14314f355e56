#include "crawl/harvester.h"

#include <gtest/gtest.h>

#include "support/fake_engine.h"
#include "support/fake_worker.h"
#include "support/scan_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;
using test::navigationLink;
using test::Reply;
using test::resultLink;
using test::resultPage;

struct KeywordScan {
  explicit KeywordScan(EngineProfile engine)
      : h(test::scriptedFactory(script), true, std::move(engine)) {
    h.window.setOption(Option::optKeyword, true);
  }
  void run(const std::string& keywords) { h.crawl(keywords, 1, 1); }
  test::Script script;
  test::ScanHarness h;
};

TEST(KeywordMode, FirstPassReadsThreePagesAndRecordsEachOnce) {
  test::TestServer engine;
  const std::string p1 = "/search?p=red+shoes", p2 = "/search?p=red+shoes&b=11",
                    p3 = "/search?p=red+shoes&b=21";
  engine.serve(
      p1, Reply::page(resultPage({resultLink("http://localhost:9/a.html")},
                                 {navigationLink(engine.url(p2)), navigationLink(engine.url(p3)),
                                  navigationLink(engine.url(p2))})));
  engine.serve(p2, Reply::page(resultPage({resultLink("http://localhost:9/b.html", true)},
                                          {navigationLink(engine.url(p3))})));
  engine.serve(p3, Reply::page(resultPage({resultLink("http://localhost:9/c.html")}, {})));
  KeywordScan k(test::engineProfile(engine));
  k.run("red shoes");
  for (const std::string& p : {p1, p2, p3})
    EXPECT_EQ(engine.hits(p), 1) << p << ": a page reached by two links is read once";
  EXPECT_EQ(k.script.started, (Strings{"http://localhost:9/a.html", "http://localhost:9/c.html"}))
      << "b.html comes through the second redirect host before a later first-host link, so it is "
         "passed over";
  EXPECT_EQ(k.h.window.text(Field::txtNoOfURLs), "4") << "two result pages and two URLs";
  EXPECT_EQ(k.h.control.results().scanned().front(), engine.url(p2));
}

TEST(KeywordMode, ResultLinkFilter) {
  test::TestServer engine;
  engine.serve(
      "/search?p=x",
      Reply::page(resultPage(
          {resultLink("http://localhost:9/ok.html"), resultLink("http://www.YaHoo.com/x"),
           resultLink("http://GOOGLE.example/x"), resultLink("http://127.0.0.1:9/x"),
           resultLink("http://localhost:9/ok.html"), resultLink("http://localhost:9/q?a=1&amp;b=2"),
           resultLink("http://localhost:9/skip.html"),
           "<a href=\"http://rds.yahoo.com/broken\">no target</a>",
           resultLink("http://localhost:9/second.html", true)},
          {})));
  KeywordScan k(test::engineProfile(engine));
  k.h.window.setText(Field::txtURLMustNotKeyword, "skip");
  k.run("x");
  EXPECT_EQ(k.script.started, (Strings{"http://localhost:9/ok.html", "http://localhost:9/q?a=1&b=2",
                                       "http://localhost:9/second.html"}));
}

TEST(KeywordMode, CrawlOutcomeDecidesWhetherPassesGoOn) {
  // Five result pages: pass one reads 1-3, pass two reads 4-5.
  test::TestServer engine;
  const auto page = [&](int n) { return "/search?p=w&b=" + std::to_string(n); };
  engine.serve("/search?p=w",
               Reply::page(resultPage(
                   {resultLink("http://localhost:9/r1")},
                   {navigationLink(engine.url(page(2))), navigationLink(engine.url(page(3))),
                    navigationLink(engine.url(page(4))), navigationLink(engine.url(page(5)))})));
  for (int n = 2; n <= 5; ++n)
    engine.serve(page(n), Reply::page(resultPage(
                              {resultLink("http://localhost:9/r" + std::to_string(n))}, {})));
  {
    SCOPED_TRACE("crawls end at the depth bound: every pass runs");
    KeywordScan k(test::engineProfile(engine));
    for (int n = 1; n <= 5; ++n)
      k.script.results["http://localhost:9/r" + std::to_string(n)].links = {
          "http://localhost:9/deeper" + std::to_string(n)};
    k.run("w");
    EXPECT_EQ(engine.hits(page(5)), 1);
    EXPECT_EQ(k.script.started.size(), 10u);
  }
  {
    SCOPED_TRACE("a crawl that runs out of links ends the scan");
    KeywordScan k(test::engineProfile(engine));
    k.run("w");
    EXPECT_EQ(engine.hits(page(5)), 1) << "only the first scan read it";
    EXPECT_EQ(k.script.started.size(), 3u);
  }
}

}  // namespace
}  // namespace korvex
