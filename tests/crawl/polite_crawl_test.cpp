// Crawls that obey robots.txt and pace their requests, against loopback sites.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "crawl/host_gate.h"
#include "crawl/robots_book.h"
#include "support/scan_harness.h"
#include "support/site.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

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
  test::TreeSite site(server, 3, 2);
  server.serve("/robots.txt", test::Reply::page("User-agent: *\nDisallow: /\n\nUser-agent: Korvex\n"
                                                "Disallow: /n-1-\nAllow: /n-1-2\n"));
  for (bool obey : {true, false}) {
    SCOPED_TRACE(obey ? "obeyed" : "ignored");
    const size_t before = server.requests().size();
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, obey);
    h.crawl(site.rootUrl(), 2, 10);
    std::vector<std::string> refused, read;
    for (const auto& r : h.control.results().refused()) {
      EXPECT_EQ(r.reason, "disallowed by robots.txt");
      refused.push_back(r.url);
    }
    for (size_t i = before; i < server.requests().size(); ++i)
      read.push_back(server.requests()[i].target);
    std::sort(refused.begin(), refused.end());
    const std::vector<std::string> disallowed = {server.url("/n-1-0.html"),
                                                 server.url("/n-1-1.html")};
    EXPECT_EQ(refused, obey ? disallowed : std::vector<std::string>{});
    EXPECT_EQ(std::count(read.begin(), read.end(), "/robots.txt"), obey ? 1 : 0) << "once a scan";
    EXPECT_EQ(std::count(read.begin(), read.end(), "/n-1-0.html"), obey ? 0 : 1);
    EXPECT_EQ(std::count(read.begin(), read.end(), "/n-1-2.html"), 1);
    EXPECT_EQ(h.window.text(Field::txtNoOfRefused), obey ? "2" : "");
    EXPECT_EQ(h.window.text(Field::txtNoOfURLs), obey ? "11" : "13") << "refused is not processed";
  }
}

TEST(PoliteCrawl, UrlsWaitForTheirSitesRobotsTxt) {
  test::TestServer first, second;
  test::TreeSite other(second, 1, 1);
  test::Reply slow = test::Reply::page("User-agent: *\nDisallow: /n-0.html\n");
  slow.delay = 300ms;
  second.serve("/robots.txt", slow);
  first.serve("/", test::Reply::page("<a href=" + second.url("/") +
                                     "></a> <a href=" + second.url("/n-0.html") + "></a>"));
  test::ScanHarness h;
  h.window.setOption(Option::chkObeyRobots, true);
  h.crawl(first.url("/"), 1, 3);
  EXPECT_EQ(second.hits("/"), 1);
  EXPECT_EQ(second.hits("/n-0.html"), 0) << "handed out while its robots.txt was being read";
}

// The address space of the process, in KiB.
long addressSpace() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmSize:")) return std::stol(line.substr(7));
  return 0;
}

// Sites met one after another, as a long crawl meets them: their readers are joined as they end,
// so the threads (and their stacks) of a scan stay as few as its readers at once.
TEST(PoliteCrawl, RobotsReadersAreJoinedAsTheyEnd) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers map memory of their own for every thread";
#endif
  test::TestServer server;
  ConnectionSettings connection{.agent = "Korvex", .resolve = {}};
  for (int i = 0; i < 60; ++i)
    connection.resolve.push_back("s" + std::to_string(i) +
                                 ".test:" + std::to_string(server.port()) + ":127.0.0.1");
  RobotsBook book(connection, 5s, std::make_shared<HostGate>(0ms), std::make_shared<Wakeup>(), 2);
  long before = 0;
  for (int i = 0; i < 60; ++i) {
    const std::string origin =
        "http://s" + std::to_string(i) + ".test:" + std::to_string(server.port());
    book.verdict(origin + "/");
    while (!book.known(origin)) std::this_thread::sleep_for(1ms);
    if (i == 29) before = addressSpace();  // malloc's arenas for new threads are all made by then
  }
  EXPECT_LT(addressSpace() - before, 64 << 10) << "30 readers' stacks still mapped";
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
      {"redirected without end", test::Reply::redirect("/robots.txt"), ""},
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
    EXPECT_EQ(h.window.text(Field::lblDetails),
              row.refusal.empty() ? "" : "The base URL could not be opened: " + row.refusal);
  }
}

// The page is still processed: its link is followed, after the pause.
test::Reply retryAfter(int status) {
  auto r = test::Reply::page("<a href=/n-0.html>a</a>", status);
  r.headers.emplace_back("Retry-After", "1");
  return r;
}

TEST(PoliteCrawl, RequestsToOneOriginAreSpacedAsAsked) {
  const struct {
    const char* name;
    std::string delayMs;
    std::optional<test::Reply> robots;
    std::optional<test::Reply> root;
    std::chrono::milliseconds gap;
  } rows[] = {{"delay per host", "250", std::nullopt, std::nullopt, 250ms},
              {"Crawl-delay", "0", test::Reply::page("User-agent: *\nCrawl-delay: 0.3\n"),
               std::nullopt, 300ms},
              {"429 and Retry-After", "0", std::nullopt, retryAfter(429), 1000ms},
              {"503 and Retry-After", "0", std::nullopt, retryAfter(503), 1000ms}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::TestServer server;
    test::TreeSite site(server, 3, 1);
    if (row.robots) server.serve("/robots.txt", *row.robots);
    if (row.root) server.serve("/", *row.root);
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, true);
    h.window.setText(Field::txtDelayPerHost, row.delayMs);
    h.crawl(site.rootUrl(), 2, 10);
    EXPECT_GE(server.requests().size(), 2u);
    // Arrival times include each connection's own latency, which a loaded machine stretches: slack.
    EXPECT_GE(shortestGap(server), row.gap - 100ms);
  }
}

TEST(PoliteCrawl, RetryAfterPause) {
  const std::time_t now = 1'800'000'000;
  const std::pair<const char*, std::chrono::milliseconds> rows[] = {
      {"", kBackOff},
      {"7", 7s},
      {"99999999999", kMaxRetryAfter},
      {"soon", kBackOff},
      {"Fri, 15 Jan 2027 08:00:20 GMT", 20s},
      {"Fri, 15 Jan 2027 07:00:00 GMT", 0s}};
  for (const auto& [header, pause] : rows) {
    SCOPED_TRACE(header);
    EXPECT_EQ(retryAfterPause(header, now), pause);
  }
}

}  // namespace
}  // namespace korvex
