#include <gtest/gtest.h>

#include "support/engine_harness.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;
using test::Reply;

using test::emailsOf;

TEST(PageProcessing, FramesAreAddedToThePage) {
  test::TestServer server;
  server.serve(
      "/f/index.html",
      Reply::page("<FRAMESET><IMG SRC=logo.gif><FRAME SRC=\"left.html\"><iframe src=inner.html>"
                  "<frame src='right.html'><frame src=left.html></FRAMESET>"));
  server.serve("/f/left.html", Reply::page("left@a.com <a href=l2.html>\n"));
  server.serve("/f/right.html", Reply::page("right@a.com <frame src=deeper.html>\n"));
  server.serve("/f/inner.html", Reply::page("inner@a.com\n"));
  server.serve("/f/only-iframe.html", Reply::page("<iframe src=alone.html></iframe>"));
  test::EngineHarness h;
  h.read(server.url("/f/only-iframe.html"));
  EXPECT_EQ(server.hits("/f/alone.html"), 0) << "an iframe alone does not make a frameset";
  const std::string page = server.url("/f/index.html");
  const PageResult p = h.read(page);
  EXPECT_EQ(emailsOf(p), (Strings{"left@a.com", "inner@a.com", "right@a.com"}))
      << "the iframe's src= comes before a later <frame, so it is read too";
  EXPECT_EQ(server.hits("/f/left.html"), 1) << "a listed source is not read again";
  EXPECT_EQ(server.hits("/f/logo.gif"), 0) << "an omitted file type is not read";
  EXPECT_EQ(p.links, (Strings{server.url("/f/l2.html")}));
  EXPECT_EQ(server.hits("/f/deeper.html"), 0) << "frames of frames are not followed";
}

TEST(PageProcessing, FramesAreBounded) {
  test::TestServer server;
  std::string many;
  for (int i = 0; i < 70; ++i) many += "<frame src=f" + std::to_string(i) + ".html>";
  server.serve("/many.html", Reply::page(many));
  // One frame fills the page to its cap: the address at its end is cut, the next not read.
  server.serve("/big.html", Reply::page("<frame src=huge.html><frame src=after.html>"));
  server.serve("/huge.html", Reply::page(std::string(kMaxPageBytes - 16, ' ') + " cut@huge.com"));
  server.serve("/after.html", Reply::page("after@a.com"));
  test::EngineHarness h;
  h.read(server.url("/many.html"));
  EXPECT_EQ(server.requests().size(), 1u + kMaxFrameReads);
  EXPECT_TRUE(h.read(server.url("/big.html")).emails.empty());
  EXPECT_EQ(server.hits("/after.html"), 0);
}

TEST(PageProcessing, PageRulesFromLevelTwoOn) {
  test::TestServer server;
  server.serve("/p.html", Reply::page("plain text a@b.com <a href=next.html>"));
  struct Case {
    const char* name;
    long long level;
    const char* must;
    const char* mustNot;
    bool accepted;
  } cases[] = {
      {"level 1 always accepted", 1, "absent", "", true},
      {"level 2 must word absent", 2, "absent", "", false},
      {"level 2 must word present", 2, "PLAIN", "", true},
      {"level 2 must list ending in a line break", 2, "absent\r\n", "", true},
      {"level 2 must-not present", 2, "", "text", false},
      {"level 2 must-not with an empty entry", 2, "", "zzz\r\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::EngineHarness h;
    h.settings.setKeywordBoxes("", "", c.must, c.mustNot);
    const PageResult p = h.read(server.url("/p.html"), c.level);
    EXPECT_EQ(p.validUrls, c.accepted ? 1 : 0);
    EXPECT_EQ(p.emails.size(), c.accepted ? 1u : 0u);
    EXPECT_EQ(p.links, (Strings{server.url("/next.html")})) << "links are taken either way";
  }
}

TEST(PageProcessing, NoLinksAtTheLastLevelAndNothingFromAnUnreadablePage) {
  test::EngineHarness h;
  const PageResult last = h.process("a@b.com <a href=x.html>", "http://h/", 6);
  EXPECT_EQ(last.emails.size(), 1u);
  EXPECT_TRUE(last.links.empty());
  const PageResult unread = h.read("http://127.0.0.1:1/");
  EXPECT_FALSE(unread.read);
  EXPECT_EQ(unread.validUrls, 0) << "an unreadable page is not counted";
}

}  // namespace
}  // namespace korvex
