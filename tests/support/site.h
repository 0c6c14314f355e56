// A generated site served by a TestServer: a tree of pages, each with one address, linking to
// its children (each in three spellings: relative, through dot segments with a fragment, and
// through ".." above the root) and to the root, with tel: and script links and address decoys.
// Knows what a crawl of a given depth must find.
#pragma once

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "support/test_server.h"

namespace korvex::test {

class TreeSite {
 public:
  // `fanOut` children per page, pages down to tree depth `height` (the root is depth 0).
  TreeSite(TestServer& server, int fanOut, int height,
           std::chrono::milliseconds delay = std::chrono::milliseconds(0));
  std::string rootUrl() const { return server_.url("/"); }
  // Addresses of the pages a crawl of depth choice d reaches: tree depths 0 to d.
  std::set<std::string> emailsWithin(int depth) const;
  size_t pagesWithin(int depth) const;

 private:
  struct Page {
    std::string path;
    int depth;
  };
  TestServer& server_;
  std::vector<Page> pages_;
};

}  // namespace korvex::test
