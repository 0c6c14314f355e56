#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/engine_harness.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using testing::HasSubstr;

using namespace std::chrono_literals;
using test::Reply;
using test::TestServer;

TEST(Reader, WhatAPageReads) {
  TestServer server;
  const std::string exact(2048, 'e');
  const std::string binary("a\0b\xff\x01z", 6);
  const std::string big(300'000, 'g');
  Reply compressed = Reply::page(big);
  compressed.gzip = true;
  Reply endless;
  endless.mode = Reply::Body::Endless;
  const std::tuple<const char*, Reply, std::string> cases[] = {
      {"/exact", Reply::page(exact), exact},
      {"/empty", Reply::page(""), ""},
      {"/missing-page", Reply::page("<h1>gone</h1>", 404), "<h1>gone</h1>"},
      {"/binary", Reply::page(binary), binary},
      {"/gzip", compressed, big},
      {"/moved", Reply::redirect("/exact"), exact},
      {"/trickle", Reply::trickle("abcdefghij", 3, 5ms), "abcdefghij"},
      {"/endless", endless, std::string(16u << 20, 'x')},  // the cap: 16 MiB of decoded bytes
  };
  for (const auto& [target, reply, expected] : cases) server.serve(target, reply);
  test::EngineHarness h;
  for (const auto& [target, reply, expected] : cases) {
    SCOPED_TRACE(target);
    const ReadResult got = h.net().ReadUrl(server.url(target));
    EXPECT_EQ(got.text.size(), expected.size());
    EXPECT_TRUE(got.text == expected);
    EXPECT_TRUE(got.opened);
  }
  EXPECT_THAT(server.lastHeader("/gzip", "Accept-Encoding"), HasSubstr("gzip"))
      << "the compressed page came compressed";
  EXPECT_EQ(server.lastHeader("/exact", "User-Agent"), "Microsoft Internet Explorer");
  EXPECT_EQ(server.lastHeader("/exact", "Cache-Control"), "no-cache");
}

TEST(Reader, UrlsThatCannotBeOpenedSayWhy) {
  TestServer server;
  server.serve("/to-file", Reply::redirect("file:///etc/passwd"));
  server.serve("/to-ftp", Reply::redirect("ftp://127.0.0.1/x"));
  server.serve("/loop", Reply::redirect("/loop"));
  server.serve("/ping", Reply::redirect("/pong"));
  server.serve("/pong", Reply::redirect(server.url("/ping")));
  for (int i = 0; i < 11; ++i)
    server.serve("/hop" + std::to_string(i), Reply::redirect("/hop" + std::to_string(i + 1)));
  server.serve("/hop11", Reply::page("far"));
  const std::pair<std::string, std::string> cases[] = {
      {server.url("/to-file"), "refused scheme"},
      {server.url("/to-ftp"), "refused scheme"},
      {server.url("/loop"), "redirection loop"},
      {server.url("/ping"), "redirection loop: back to " + server.url("/ping")},
      {server.url("/hop0"), "too many"},
      {"file:///etc/passwd", "refused scheme"},
      {"not a url", ""},
      {"http://127.0.0.1:1/", "onnect"},
  };
  test::EngineHarness h;
  for (const auto& [url, reason] : cases) {
    SCOPED_TRACE(url);
    const ReadResult got = h.net().ReadUrl(url);
    EXPECT_EQ(got.text, "");
    EXPECT_FALSE(got.opened);
    EXPECT_THAT(got.failure, HasSubstr(reason));
  }
  EXPECT_EQ(server.hits("/hop10"), 1);  // ten redirections followed, the eleventh refused
  EXPECT_EQ(server.hits("/hop11"), 0);
}

TEST(Reader, TimeLimitIsTheTimeElapsed) {
  // Minutes allowed, seconds since the start time (the read began with it), whether a chunk
  // came, and whether the read ends.
  const std::tuple<double, double, bool, bool> cases[] = {
      {0.1, 5.9, true, false}, {0.1, 6.1, true, true}, {0.1, 6.1, false, true},
      {1, 59.5, true, false},  {1, 60.5, true, true},  {0, 1.9, false, false},
      {0, 1.9, true, true},    {0, 2.1, false, true},
  };
  const Clock::TimePoint start{};
  for (const auto& [minutes, seconds, chunk, ends] : cases) {
    SCOPED_TRACE(std::to_string(minutes) + " min, " + std::to_string(seconds) + " s");
    const auto now = start + std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    EXPECT_EQ(readTimeUp({start, start}, now, minutes, chunk), ends);
  }
  // The grace counts from the read's own beginning, after a frame's start time.
  EXPECT_FALSE(readTimeUp({start, start + 10s}, start + 11s, 0.1, false));
}

TEST(Reader, TimeLimitEndsStalledAndSlowReads) {
  const std::string prefix(1000, 'p');
  const std::string slow(100, 's');
  const struct {
    const char* name;
    Reply reply;
    double maxTime;
    size_t least, most;  // bytes read
  } cases[] = {
      {"stall before the headers", Reply::stallBeforeHeaders(), 0, 0, 0},
      {"headers, then a stall", Reply::stallMidBody("never", 0), 0, 0, 0},
      {"stall in the middle of the body", Reply::stallMidBody(prefix + "never", prefix.size()), 0,
       prefix.size(), prefix.size()},
      {"a slow body past the limit", Reply::trickle(slow, 1, 40ms), 0.02, 1, slow.size() - 1},
      {"a slow body within the limit", Reply::trickle(slow, 1, 40ms), 1, slow.size(), slow.size()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestServer server;
    server.serve("/p", c.reply);
    test::EngineHarness h;
    h.settings.maxTime = c.maxTime;
    const auto start = std::chrono::steady_clock::now();
    const ReadResult read = h.net().ReadUrl(server.url("/p"));
    const std::string& got = read.text;
    EXPECT_EQ(read.opened, c.most > 0) << "a page without a byte of body was not read";
    EXPECT_GE(got.size(), c.least);
    EXPECT_LE(got.size(), c.most);
    EXPECT_TRUE(c.reply.body.starts_with(got));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s) << "the read ends soon after the limit";
  }
  // A status line, then nothing: a server no test server can be made into.
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  std::thread statusLineOnly([listener] {
    const int c = accept(listener, nullptr, nullptr);
    char request[4096];
    if (c >= 0 && write(c, "HTTP/1.1 200 OK\r\n", 17) == 17)
      while (read(c, request, sizeof request) > 0) {  // until the reader gives up
      }
    if (c >= 0) close(c);
  });
  test::EngineHarness h;
  h.settings.maxTime = 0;
  const ReadResult stalled =
      h.net().ReadUrl("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/");
  EXPECT_FALSE(stalled.opened) << "a status line is no page";
  EXPECT_THAT(stalled.failure, HasSubstr("time limit"));
  shutdown(listener, SHUT_RDWR);
  close(listener);
  statusLineOnly.join();
}

}  // namespace
}  // namespace korvex
