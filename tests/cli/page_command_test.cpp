#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using testing::HasSubstr;

using test::Reply;

using test::cli;

TEST(PageCommand, JsonListsAddressesLinksAndCounters) {
  test::TestServer server;
  server.serve(
      "/site/index.html",
      Reply::page("<p>Mail <a href=\"mailto:info@shop.example\">us</a> or SALES@shop.example."
                  "<a href='about.html'>About</a> <a href=/index.html>self</a>"
                  "<a href=\"/site/index.html\">me</a> <a href=logo.png>"
                  "<a href=\"https://secure.example/login\"><a href=caf\xe9.html>"));
  const auto r = cli("page " + server.url("/site/index.html") + " --format json");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);  // throws on invalid UTF-8
  const std::string page = server.url("/site/index.html");
  EXPECT_EQ(j["url"], page);
  EXPECT_EQ(j["read"], true);
  EXPECT_EQ(j["emails"],
            nlohmann::json::array({{{"n", 1}, {"email", "info@shop.example"}, {"url", page}},
                                   {{"n", 2}, {"email", "SALES@shop.example"}, {"url", page}}}));
  EXPECT_EQ(j["links"], nlohmann::json::array(
                            {server.url("/site/about.html"), server.url("/index.html"),
                             "https://secure.example/login", server.url("/site/caf%E9.html")}));
  EXPECT_EQ(j["counters"], nlohmann::json({{"extracted", 4}, {"valid", 1}, {"emails", 2}}));
}

TEST(PageCommand, ExitStatusAndText) {
  test::TestServer server;
  server.serve("/a.html", Reply::page("x@y.com <a href=b.html>"));
  const auto text = cli("page " + server.url("/a.html"));
  EXPECT_EQ(text.status, 0);
  EXPECT_THAT(text.out, HasSubstr("1\tx@y.com\t" + server.url("/a.html")));
  EXPECT_THAT(text.out, HasSubstr(server.url("/b.html") + "\n"));

  // The reasons themselves are the reader's; one shows they reach the message and the status.
  const auto r = cli("page http://127.0.0.1:1/none --format json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(nlohmann::json::parse(r.out)["read"], false);
  EXPECT_THAT(r.err, HasSubstr("cannot open http://127.0.0.1:1/none: "));
  EXPECT_THAT(r.err, HasSubstr("onnect"));  // curl's own words

  for (const char* bad : {"page", "page x --format xml", "nothing", ""})
    EXPECT_EQ(cli(bad).status, 2) << bad;
}

}  // namespace
}  // namespace korvex
