#include <gtest/gtest.h>

#include "base/text.h"
#include "support/engine_harness.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;
using test::Reply;

struct Processed {
  Strings urls;  // lines of txtURLs
  Strings emails;
  Strings links;
  std::string valid;
};

Processed process(test::EngineHarness& h, const std::string& url) {
  h.state.sPageURL = url;
  h.state.sVisitedURLs.add(url);
  h.net.execProc1();
  EXPECT_EQ(h.state.sPageURL, "");
  Processed p;
  for (auto& line : split(h.window.text(Field::txtURLs), "\r\n"))
    if (!line.empty()) p.urls.push_back(line);
  p.emails = h.emails();
  p.links = h.state.sPendingURLs;
  p.valid = h.window.text(Field::txtNoOfValidUrls);
  return p;
}

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
  process(h, server.url("/f/only-iframe.html"));
  EXPECT_EQ(server.hits("/f/alone.html"), 0) << "an iframe alone does not make a frameset";
  const std::string page = server.url("/f/index.html");
  const Processed p = process(h, page);
  EXPECT_EQ(p.emails, (Strings{"left@a.com", "inner@a.com", "right@a.com"}))
      << "the iframe's src= comes before a later <frame, so it is read too";
  EXPECT_EQ(server.hits("/f/left.html"), 1) << "a listed source is not read again";
  EXPECT_EQ(server.hits("/f/logo.gif"), 0) << "an omitted file type is not read";
  EXPECT_EQ(h.gridRows()[0][2], page) << "frame addresses carry the frameset's URL";
  EXPECT_EQ(p.links, (Strings{server.url("/f/l2.html")}));
  EXPECT_EQ(p.urls, (Strings{server.url("/f/only-iframe.html"), page}));
  EXPECT_TRUE(h.state.sVisitedURLs.contains(server.url("/f/right.html")));
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
  process(h, server.url("/many.html"));
  EXPECT_EQ(server.requests().size(), 1u + kMaxFrameReads);
  EXPECT_TRUE(process(h, server.url("/big.html")).emails.empty());
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
    h.state.iDepth = c.level;
    h.window.setText(Field::txtPagesMustKeyword, c.must);
    h.window.setText(Field::txtPagesMustNotKeyword, c.mustNot);
    h.state.aPagesMust = split(c.must, "\r\n");
    h.state.aPagesMustNot = split(c.mustNot, "\r\n");
    const Processed p = process(h, server.url("/p.html"));
    EXPECT_EQ(p.valid, c.accepted ? "1" : "");
    EXPECT_EQ(p.emails.size(), c.accepted ? 1u : 0u);
    EXPECT_EQ(p.links, (Strings{server.url("/next.html")})) << "links are taken either way";
  }
}

TEST(PageProcessing, LinksResolveAgainstTheUrlFinallyRead) {
  test::TestServer server;
  server.serve("/a", Reply::redirect("/dir/b.html"));
  server.serve("/dir/b.html",
               Reply::page("me@b.com <frame src=f.html><frame src=./x/../f.html>"
                           "<a href=c.html><a href=../dir/c.html><a href=/dir/./c.html>"));
  server.serve("/dir/f.html", Reply::page("frame@b.com"));
  test::EngineHarness h;
  const Processed p = process(h, server.url("/a"));
  EXPECT_EQ(p.links, (Strings{server.url("/dir/c.html")})) << "one page, three spellings";
  EXPECT_EQ(server.hits("/dir/f.html"), 1) << "a frame reached under two spellings is read once";
  EXPECT_EQ(p.emails, (Strings{"me@b.com", "frame@b.com"}));
  EXPECT_EQ(h.gridRows()[0][2], server.url("/a")) << "addresses name the URL handed out";
}

TEST(PageProcessing, GuardsEndTheirStepAtOnce) {
  const struct {
    const char* name;
    bool stop, lastLevel, emails, links;
  } rows[] = {{"stopping", true, false, false, false}, {"last level", false, true, true, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    test::EngineHarness h;
    h.state.bStop = r.stop;
    if (r.lastLevel) h.state.iDepth = h.state.iMaxDepth;
    h.net.extractEmails("a@b.com", "http://h/");
    h.net.extractLinks("<a href=x.html>", "http://h/");
    EXPECT_EQ(h.emails().size(), r.emails ? 1u : 0u);
    EXPECT_EQ(h.state.sPendingURLs.size(), r.links ? 1u : 0u);
    h.state.sPageURL = "http://127.0.0.1:1/";
    h.net.execProc1();
    EXPECT_EQ(h.state.sPageURL.empty(), !r.stop) << "a stopped scan reads nothing";
    EXPECT_EQ(h.window.text(Field::txtURLs), "") << "an unreadable page is not listed";
    EXPECT_EQ(h.window.text(Field::txtNoOfValidUrls), "");
  }
}

}  // namespace
}  // namespace korvex
