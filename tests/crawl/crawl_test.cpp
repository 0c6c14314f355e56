// Whole crawls with real workers against a generated site on loopback.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "support/scan_harness.h"
#include "support/site.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

TEST(Crawl, FindsExactlyTheSitesPagesWithinTheDepth) {
  test::TestServer server;
  test::TreeSite site(server, 3, 4);
  for (int threads : {1, 10}) {
    for (int depth : {1, 2, 3}) {
      SCOPED_TRACE("threads " + std::to_string(threads) + ", depth " + std::to_string(depth));
      test::ScanHarness h;
      h.crawl(site.rootUrl(), depth, threads);
      ASSERT_EQ(h.outcome, StartOutcome::Ran);
      EXPECT_EQ(h.emailSet(), site.emailsWithin(depth));
      EXPECT_EQ(h.emails().size(), site.pagesWithin(depth)) << "each address once";
      EXPECT_EQ(h.window.text(Field::txtNoOfURLs), std::to_string(site.pagesWithin(depth)));
    }
  }
}

TEST(Crawl, EveryPageOfTodaysSiteFormsIsReadOnce) {
  // Pages without extensions, folders linked with and without their "/" (the server redirects
  // the latter), query pagination, fragment-only and self links, a network-path link, a <base>,
  // a redirected page linked later under its final URL, and an old address that redirects to a
  // page the scan knows.
  test::TestServer server;
  const std::string host = "//127.0.0.1:" + std::to_string(server.port());
  server.serve("/", test::Reply::page("<a href=blog>Blog</a><a href=blog/>Blog</a> "
                                      "<a href=\"" +
                                      host + "/go-about\">About</a> root@site.test"));
  server.serve("/go-about", test::Reply::redirect("/about"));
  server.serve("/blog", test::Reply::redirect("/blog/", 301));
  server.serve("/blog/", test::Reply::page("<a href=#top>Top</a><a href=post-title>Post</a>"
                                           "<a href=?page=2>Next</a> blog@site.test"));
  server.serve("/blog/?page=2", test::Reply::page("<a href=./>Back</a> <a href=/old-post>Old</a>"
                                                  " page2@site.test"));
  server.serve("/blog/post-title", test::Reply::page("<a href=post-title>Self</a>"
                                                     "<a href=../about>About</a> post@site.test"));
  server.serve("/old-post", test::Reply::redirect("/blog/post-title", 301));
  server.serve("/about", test::Reply::page("<base href=/team/><a href=ann>Ann</a> a@site.test"));
  server.serve("/team/ann",
               test::Reply::page("ann@site.test <a href=/old-post>Old</a><a href=/about>Up</a>"));
  test::ScanHarness h;
  h.crawl(server.url("/"), 4, 3);
  EXPECT_EQ(h.emailSet(),
            (std::set<std::string>{"root@site.test", "blog@site.test", "page2@site.test",
                                   "post@site.test", "a@site.test", "ann@site.test"}));
  for (const char* page : {"/", "/blog/", "/blog/?page=2", "/blog/post-title", "/about",
                           "/team/ann", "/old-post", "/go-about"}) {
    SCOPED_TRACE(page);
    EXPECT_EQ(server.hits(page), 1);
  }
  EXPECT_EQ(server.requests().size(), 9u) << "no URL that no page links";
}

TEST(Crawl, PageLimitHoldsWithAnyNumberOfWorkers) {
  test::TestServer server;
  test::TreeSite site(server, 3, 3);  // 40 pages, an address each
  for (int threads : {1, 10}) {
    for (size_t limit : {1, 3, 10, 40}) {
      SCOPED_TRACE(std::to_string(limit) + " pages, " + std::to_string(threads) + " workers");
      test::ScanHarness h;
      h.window.setText(Field::txtNoOfPages, std::to_string(limit));
      const size_t before = server.requests().size();
      h.crawl(site.rootUrl(), 5, threads);
      // A count equal to the limit lets the scan go on, for one page and no more, however many
      // pages are in flight.
      EXPECT_EQ(server.requests().size() - before, std::min<size_t>(40, limit + 1));
      EXPECT_EQ(h.emails().size(), std::min<size_t>(40, limit + 1));
    }
  }
}

TEST(Crawl, PauseHandsNothingOutAndSleeps) {
  test::TestServer server;
  test::TreeSite site(server, 3, 3, 30ms);
  test::ScanHarness h;
  std::string processedAtClick, processedAtPause, processedBeforeResume, statusWhilePaused;
  double cpuWhilePaused = 0;  // seconds of every thread of the process
  h.onTurn = [&](std::chrono::milliseconds elapsed) {
    if (elapsed < 150ms || !processedAtClick.empty()) return;  // in the middle of a level
    h.control.deliver();
    h.control.cmdPause_Click();
    processedAtClick = h.window.text(Field::txtNoOfURLs);
    std::this_thread::sleep_for(350ms);
    h.control.deliver();
    processedAtPause = h.window.text(Field::txtNoOfURLs);
    statusWhilePaused = h.window.text(Field::lblStatus);
    const std::clock_t cpuBefore = std::clock();
    std::this_thread::sleep_for(1s);
    cpuWhilePaused = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    h.control.deliver();
    processedBeforeResume = h.window.text(Field::txtNoOfURLs);
    h.control.cmdPause_Click();
  };
  h.crawl(site.rootUrl(), 3, 2);
  EXPECT_EQ(statusWhilePaused, "Paused");
  EXPECT_EQ(processedAtPause, processedBeforeResume);
  EXPECT_LE(std::stoi(processedAtPause) - std::stoi(processedAtClick), 1)
      << "only the URL in hand when Pause was pressed may still go out";
  // A scan that polled would spend about the whole second.
  EXPECT_LT(cpuWhilePaused, 0.1) << "a paused scan sleeps instead of polling";
  EXPECT_EQ(h.emailSet(), site.emailsWithin(3));
}

TEST(Crawl, StopEndsTheScanAndKeepsWhatWasCollected) {
  const struct {
    const char* name;
    bool pausedFirst, stalledPage;
  } rows[] = {{"while paused", true, false}, {"while a page stalls", false, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    test::TestServer server;
    test::TreeSite site(server, 3, 3, 40ms);
    if (r.stalledPage) {
      server.serve("/", test::Reply::page("<a href=slow.html> root@site.test"));
      server.serve("/slow.html", test::Reply::stallBeforeHeaders());
    }
    test::ScanHarness h;
    h.window.setOption(Option::chkObeyRobots, true);
    bool paused = false, stopped = false;
    h.onTurn = [&](std::chrono::milliseconds elapsed) {
      if (r.pausedFirst && !paused && elapsed >= 200ms) {
        paused = true;
        h.control.cmdPause_Click();
      }
      if (!stopped && elapsed >= 400ms) {
        stopped = true;
        h.control.cmdStop_Click();
      }
    };
    const auto start = std::chrono::steady_clock::now();
    h.crawl(site.rootUrl(), 3, 2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(h.outcome, StartOutcome::Ran);
    EXPECT_FALSE(h.emails().empty());
    EXPECT_LT(h.emails().size(), r.stalledPage ? 2u : site.pagesWithin(3));
    EXPECT_EQ(h.window.text(Field::lblStatus), "Idle");
    EXPECT_EQ(h.dialogs.questions.back(), "Do you really want to stop the process?");
    int scanThreads = 0;  // the workers and robots.txt readers still there
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
      std::ifstream comm(task.path() / "comm");
      std::string name;
      scanThreads += std::getline(comm, name) && name.starts_with("korvex-");
    }
    EXPECT_EQ(scanThreads, 0) << "every thread of the scan joined";
  }
}

}  // namespace
}  // namespace korvex
