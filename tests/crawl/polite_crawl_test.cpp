// Crawls that obey robots.txt and pace their requests, against loopback sites.
#include <gtest/gtest.h>

#include <algorithm>

#include "crawl/host_gate.h"
#include "support/scan_harness.h"
#include "support/site.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> pagesRead(const test::TestServer& server) {
  std::vector<std::string> out;
  for (const auto& r : server.requests())
    if (r.target != "/robots.txt") out.push_back(r.target);
  std::sort(out.begin(), out.end());
  return out;
}

// The shortest time between two page requests that follow each other.
std::chrono::milliseconds shortestGap(const test::TestServer& server) {
  std::vector<test::TestServer::Request> pages = server.requests();
  std::erase_if(pages, [](const auto& r) { return r.target == "/robots.txt"; });
  auto gap = std::chrono::milliseconds::max();
  for (size_t i = 1; i < pages.size(); ++i)
    gap = std::min(
        gap, std::chrono::duration_cast<std::chrono::milliseconds>(pages[i].at - pages[i - 1].at));
  return gap;
}

TEST(PoliteCrawl, ReadsOnlyWhatRobotsTxtAllows) {
  test::TestServer server;
  const std::vector<std::string> paths = {"/private/a.html", "/private/open.html", "/public.html",
                                          "/run.cgi",        "/run.cgi?x=1",       "/tmp1/x.html",
                                          "/tmp1/y.html"};
  std::string root = "<html>";
  for (const auto& p : paths) {
    root += "<a href=\"" + p + "\">x</a>";
    server.serve(p, test::Reply::page("<p>" + test::TreeSite::emailOf(p) + "</p>"));
  }
  server.serve("/", test::Reply::page(root + "</html>"));
  server.serve("/robots.txt", test::Reply::page("User-agent: *\nDisallow: /\n\n"
                                                "User-agent: Korvex\n"
                                                "Disallow: /private/\nAllow: /private/open\n"
                                                "Disallow: /*.cgi$\nDisallow: /tmp*/x\n",
                                                200));
  for (bool obey : {true, false}) {
    SCOPED_TRACE(obey ? "obeyed" : "ignored");
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, obey);
    const size_t before = server.requests().size();
    h.crawl(server.url("/"), 2, 10);
    ASSERT_EQ(h.outcome, StartOutcome::Ran);
    std::vector<std::string> refused;
    for (const auto& r : h.control.state().refusedURLs) {
      EXPECT_EQ(r.reason, "disallowed by robots.txt");
      refused.push_back(r.url.substr(server.origin().size()));
    }
    std::sort(refused.begin(), refused.end());
    const std::vector<std::string> expectRefused =
        obey ? std::vector<std::string>{"/private/a.html", "/run.cgi", "/tmp1/x.html"}
             : std::vector<std::string>{};
    EXPECT_EQ(refused, expectRefused);
    EXPECT_EQ(h.counter(Field::txtNoOfRefused), obey ? "3" : "");
    EXPECT_EQ(h.counter(Field::txtNoOfURLs), obey ? "5" : "8") << "a refused URL is not processed";
    const auto all = server.requests();
    const auto robotsReads = std::count_if(all.begin() + static_cast<long>(before), all.end(),
                                           [](const auto& r) { return r.target == "/robots.txt"; });
    EXPECT_EQ(robotsReads, obey ? 1 : 0) << "read once per scan";
  }
  std::vector<std::string> read = pagesRead(server);
  read.erase(std::unique(read.begin(), read.end()), read.end());
  EXPECT_EQ(read.size(), 8u);
}

TEST(PoliteCrawl, RobotsTxtAnswersDecideForTheWholeOrigin) {
  const std::string padding = std::string(600 << 10, '#') + "\n";
  const struct {
    const char* name;
    std::optional<test::Reply> robots;
    std::string refusal;  // of the start URL; "" when it is read
  } rows[] = {
      {"missing (404)", std::nullopt, ""},
      {"503", test::Reply::page("User-agent: *\nAllow: /\n", 503), "robots.txt answered 503"},
      {"redirected", test::Reply::redirect("/elsewhere.txt"), "disallowed by robots.txt"},
      {"1 MiB, the refusal past 500 KiB",
       test::Reply::page("User-agent: *\nDisallow: /a\n" + padding + "Disallow: /\n"), ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::TestServer server;
    test::TreeSite site(server, 1, 1);
    server.serve("/elsewhere.txt", test::Reply::page("User-agent: *\nDisallow: /\n"));
    if (row.robots) server.serve("/robots.txt", *row.robots);
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, true);
    h.crawl(site.rootUrl(), 2, 3);
    EXPECT_EQ(server.hits("/"), row.refusal.empty() ? 1 : 0);
    EXPECT_EQ(h.control.startPageFailure().value_or(""), row.refusal);
  }
}

TEST(PoliteCrawl, RequestsToOneOriginAreSpacedAsAsked) {
  const struct {
    const char* name;
    std::string delayMs;
    std::optional<test::Reply> robots;
    std::optional<test::Reply> root;
    std::chrono::milliseconds gap;
  } rows[] = {
      {"delay per host", "250", std::nullopt, std::nullopt, 250ms},
      {"Crawl-delay", "0", test::Reply::page("User-agent: *\nCrawl-delay: 0.3\n"), std::nullopt,
       300ms},
      {"429 and Retry-After", "0", std::nullopt, test::Reply::page("", 429), 1000ms},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::TestServer server;
    test::TreeSite site(server, 3, 1);
    if (row.robots) server.serve("/robots.txt", *row.robots);
    if (row.root) {
      // The page is still processed: its link is followed, after the pause.
      test::Reply root = *row.root;
      root.body = "<a href=/n-0.html>a</a>";
      root.headers.emplace_back("Retry-After", "1");
      server.serve("/", root);
    }
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, true);
    h.window.setText(Field::txtDelayPerHost, row.delayMs);
    h.crawl(site.rootUrl(), 2, 10);
    EXPECT_GE(pagesRead(server).size(), 2u);
    // Arrival times include the connection's own latency: a little slack.
    EXPECT_GE(shortestGap(server), row.gap - 30ms);
  }
}

TEST(PoliteCrawl, RetryAfterPause) {
  const std::time_t now = 1'800'000'000;
  const struct {
    std::string header;
    std::chrono::milliseconds pause;
  } rows[] = {
      {"", kBackOff},
      {"7", 7s},
      {"0", 0s},
      {"3600", kMaxRetryAfter},
      {"99999999999", kMaxRetryAfter},
      {"soon", kBackOff},
      {"Fri, 15 Jan 2027 08:00:20 GMT", 20s},
      {"Fri, 15 Jan 2027 07:00:00 GMT", 0s},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.header);
    EXPECT_EQ(retryAfterPause(r.header, now), r.pause);
  }
}

}  // namespace
}  // namespace korvex
