// What the crawl works with, fixed at Start: the depth bound, the page limit, the pool and its
// pacing, robots.txt, and the page engine's own settings.
#pragma once

#include <string>
#include <vector>

#include "crawl/scope.h"
#include "page/page_settings.h"

namespace korvex {

struct CrawlSettings {
  long long maxDepth = 6;  // the chosen depth plus one: pages of this level give no links
  double maxPages = 10000;
  int threads = 5;
  double delayMs = 0;  // between two requests to one site, across all workers
  bool obeyRobots = true;
  Scope scope = Scope::Any;
  bool sitemaps = false;                     // the start site's sitemaps give URLs of level 2
  bool checkDomains = false;                 // the addresses' domains are asked of DNS
  std::vector<std::string> dnsServers = {};  // asked instead of the system's resolver when any
  PageSettings page;
};

}  // namespace korvex
