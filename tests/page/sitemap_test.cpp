#include "page/sitemap.h"

#include <gtest/gtest.h>

#include "support/test_server.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

TEST(Sitemap, ReadsUrlSetsAndIndexesWithTheirEntities) {
  const std::string urlset =
      R"(<?xml version="1.0" encoding="UTF-8"?>)"
      R"(<urlset xmlns="http://www.sitemaps.org/schemas/sitemap/0.9">)"
      "<url><loc> http://h/a?x=1&amp;y=2 </loc><lastmod>2026-01-01</lastmod></url>"
      "<url><loc>http://h/&#xe9;t&#233;</loc></url><url><loc></loc></url></urlset>";
  const Strings two = {"http://h/a?x=1&y=2", "http://h/\xc3\xa9t\xc3\xa9"};
  const std::string index =
      "<sm:sitemapindex xmlns:sm='x'><sm:sitemap><sm:loc>http://h/m1.xml</sm:loc>"
      "</sm:sitemap></sm:sitemapindex>";
  // clang-format off
  const struct {
    const char* name;
    std::string bytes;
    bool index;
    Strings locs;
    bool whole;
  } cases[] = {
      {"url set", urlset, false, two, true},
      {"gzip, whatever the name", test::gzipped(urlset), false, two, true},
      {"index", index, true, {"http://h/m1.xml"}, true},
      {"not XML", "<html><a href=x>", false, {}, false},
      {"cut gzip", test::gzipped(urlset).substr(0, 40), false, {}, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SitemapFile file = parseSitemap(c.bytes);
    EXPECT_EQ(file.index, c.index);
    EXPECT_EQ(file.locs, c.locs);
    EXPECT_EQ(file.problem.empty(), c.whole) << file.problem;
  }
  std::string many = "<urlset>";
  for (int i = 0; i <= 50000; ++i)
    many += "<url><loc>http://h/" + std::to_string(i) + "</loc></url>";
  const SitemapFile bounded = parseSitemap(many + "</urlset>");
  EXPECT_EQ(bounded.locs.size(), kMaxSitemapUrls);
  EXPECT_EQ(bounded.problem, "more than 50,000 URLs");
  EXPECT_EQ(sitemapLines("User-agent: *\nSITEMAP: http://h/a.xml # ours\r\nDisallow: /\n"
                         "sitemap:http://h/b.xml\nSitemaps: x\n"),
            (Strings{"http://h/a.xml", "http://h/b.xml"}));
}

}  // namespace
}  // namespace korvex
