#include <gtest/gtest.h>

#include <chrono>

#include "support/engine_harness.h"
#include "support/fakes.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::Reply;
using test::TestServer;

TEST(Reader, ConnectionLifeCycle) {
  TestServer server;
  server.serve("/a", Reply::page("hello"));
  test::EngineHarness h;
  EXPECT_FALSE(h.net.connOpen());
  h.net.SetStartTime(systemClock().now());
  EXPECT_EQ(h.net.ReadUrl(server.url("/a")), "hello");  // opens the connection itself
  EXPECT_TRUE(h.net.connOpen());
  EXPECT_EQ(server.lastHeader("/a", "User-Agent"), "Microsoft Internet Explorer");
  EXPECT_EQ(server.lastHeader("/a", "Cache-Control"), "no-cache");
  h.net.closeURL();
  EXPECT_TRUE(h.net.connOpen());
  EXPECT_EQ(h.net.ReadUrl(server.url("/a")), "");
  EXPECT_EQ(server.hits("/a"), 1);
  h.net.openUrl();
  EXPECT_EQ(h.net.ReadUrl(server.url("/a")), "hello");
}

TEST(Reader, WhatAPageReads) {
  TestServer server;
  const std::string exact(2048, 'e');
  const std::string binary("a\0b\xff\x01z", 6);
  const std::string big(300'000, 'g');
  server.serve("/exact", Reply::page(exact));
  server.serve("/empty", Reply::page(""));
  server.serve("/missing-page", Reply::page("<h1>gone</h1>", 404));
  server.serve("/error", Reply::page("<h1>oops</h1>", 500));
  server.serve("/binary", Reply::page(binary));
  server.serve("/gzip", Reply::gzipped(big));
  server.serve("/moved", Reply::redirect("/exact"));
  server.serve("/trickle", Reply::trickle("abcdefghij", 3, 5ms));
  struct Case {
    const char* target;
    std::string expected;
    bool opened;
  } cases[] = {
      {"/exact", exact, true},
      {"/empty", "", true},
      {"/missing-page", "<h1>gone</h1>", true},
      {"/error", "<h1>oops</h1>", true},
      {"/binary", binary, true},
      {"/gzip", big, true},
      {"/moved", exact, true},
      {"/trickle", "abcdefghij", true},
      {"/unknown", "<html>not found</html>", true},
  };
  test::EngineHarness h;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    h.net.SetStartTime(systemClock().now());
    const std::string got = h.net.ReadUrl(server.url(c.target));
    EXPECT_EQ(got.size(), c.expected.size());
    EXPECT_TRUE(got == c.expected);
    EXPECT_EQ(h.net.lastReadOpened(), c.opened);
  }
}

TEST(Reader, UrlsThatCannotBeOpened) {
  TestServer server;
  server.serve("/to-file", Reply::redirect("file:///etc/passwd"));
  server.serve("/to-ftp", Reply::redirect("ftp://127.0.0.1/x"));
  server.serve("/loop", Reply::redirect("/loop"));
  for (int i = 0; i < 11; ++i)
    server.serve("/hop" + std::to_string(i), Reply::redirect("/hop" + std::to_string(i + 1)));
  server.serve("/hop11", Reply::page("far"));
  const std::string urls[] = {
      server.url("/to-file"), server.url("/to-ftp"), server.url("/loop"), server.url("/hop0"),
      "file:///etc/passwd",   "ftp://127.0.0.1/",    "not a url",         "http://127.0.0.1:1/",
  };
  test::EngineHarness h;
  for (const auto& url : urls) {
    SCOPED_TRACE(url);
    EXPECT_EQ(h.net.ReadUrl(url), "");
    EXPECT_FALSE(h.net.lastReadOpened());
  }
  EXPECT_EQ(server.hits("/hop10"), 1);  // ten redirections followed, the eleventh refused
  EXPECT_EQ(server.hits("/hop11"), 0);
}

// With no minutes allowed, a read ends at the first minute boundary after its start.
struct TimeLimitCase {
  const char* name;
  Reply reply;
  std::string expected;
};

TEST(Reader, TimeLimitEndsStalledAndSlowReads) {
  const std::string prefix(1000, 'p');
  const TimeLimitCase cases[] = {
      {"stall before the headers", Reply::stallBeforeHeaders(), ""},
      {"stall in the middle of the body", Reply::stallMidBody(prefix + "never", prefix.size()),
       prefix},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestServer server;
    server.serve("/p", c.reply);
    const auto clock = test::OffsetClock::atSecond(59.5);
    test::EngineHarness h(clock);
    h.window.setText(Field::txtMaxTime, "0");
    h.net.SetStartTime(clock.now());
    const auto start = std::chrono::steady_clock::now();
    const std::string got = h.net.ReadUrl(server.url("/p"));
    EXPECT_EQ(got.size(), c.expected.size());
    EXPECT_TRUE(got == c.expected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s)
        << "the read must end soon after the limit";
  }
}

TEST(Reader, TimeLimitIsCountedInClockMinutes) {
  TestServer server;
  server.serve("/slow", Reply::trickle(std::string(100, 's'), 1, 40ms));
  const auto clock = test::OffsetClock::atSecond(59.6);
  test::EngineHarness h(clock);
  h.window.setText(Field::txtMaxTime, "0");
  h.net.SetStartTime(clock.now());
  const std::string got = h.net.ReadUrl(server.url("/slow"));
  EXPECT_GT(got.size(), 0u);
  EXPECT_LT(got.size(), 100u);

  h.window.setText(Field::txtMaxTime, "1");  // a whole minute more: the page completes
  h.net.SetStartTime(clock.now());
  EXPECT_EQ(h.net.ReadUrl(server.url("/slow")).size(), 100u);
}

TEST(Reader, UnreadableLimitGivesNothing) {
  TestServer server;
  server.serve("/a", Reply::page("text"));
  test::EngineHarness h;
  h.window.setText(Field::txtMaxTime, "1e999");
  h.net.SetStartTime(systemClock().now());
  EXPECT_EQ(h.net.ReadUrl(server.url("/a")), "");
}

TEST(Reader, EndlessBodyStopsAtTheCap) {
  TestServer server;
  server.serve("/endless", Reply::endless());
  test::EngineHarness h;
  h.net.SetStartTime(systemClock().now());
  const std::string got = h.net.ReadUrl(server.url("/endless"));
  EXPECT_EQ(got.size(), 16u << 20) << "the cap is 16 MiB of decoded bytes";
  EXPECT_TRUE(h.net.lastReadOpened());
}

TEST(Reader, StopDuringAReadEndsItAndLaterReads) {
  TestServer server;
  server.serve("/slow", Reply::trickle(std::string(200, 's'), 10, 20ms));
  server.serve("/a", Reply::page("a"));
  test::EngineHarness h;
  h.host.after(100ms, [&] { h.net.closeURL(); });
  h.net.SetStartTime(systemClock().now());
  const std::string got = h.net.ReadUrl(server.url("/slow"));
  EXPECT_LT(got.size(), 200u);
  EXPECT_EQ(h.net.ReadUrl(server.url("/a")), "");
}

}  // namespace
}  // namespace korvex
