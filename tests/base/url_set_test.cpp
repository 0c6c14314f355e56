#include "base/url_set.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(VisitedURLs, WholeUrlsIgnoringCaseAndSnapshotsSeeOnlyTheirPast) {
  VisitedURLs crawl;
  auto url = [](int i) { return "http://h/p?id=" + std::to_string(i); };
  for (int i = 0; i < 1000; ++i) EXPECT_TRUE(crawl.add(url(i)));
  const UrlSnapshot known = crawl.snapshot();
  for (int i = 1000; i < 3000; ++i) EXPECT_TRUE(crawl.add(url(i)));  // the table grows meanwhile
  EXPECT_FALSE(crawl.add("HTTP://H/P?ID=7"));
  EXPECT_FALSE(crawl.contains("http://h/p?id=30000"));
  for (int i : {0, 999}) EXPECT_TRUE(known.contains(url(i))) << i;
  for (int i : {1000, 2999}) EXPECT_FALSE(known.contains(url(i))) << i;
  VisitedURLs worker;  // a worker's list sees through to the crawl's snapshot
  worker.reset(known);
  EXPECT_FALSE(worker.add(url(999)));
  EXPECT_TRUE(worker.add(url(1000)));
  EXPECT_TRUE(worker.contains(url(1000)));
}

}  // namespace
}  // namespace korvex
