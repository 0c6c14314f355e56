// The scan state: what the pieces of a running scan share. Joined lists are held as containers;
// what they hold and in which order is unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/url_set.h"

namespace korvex {

// What every request calls itself unless the settings say otherwise.
inline constexpr std::string_view kAgent = "Microsoft Internet Explorer";
inline constexpr std::string_view kOmitExtensions =
    "*.zip;*.exe;*.swf;*.pdf;*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tiff;*.tif;*.xbm;*.mpg;*.avi;*.ani;"
    "*.mpeg;*.mov;*.au;*.wav;*.riff;*.mp3;*.mid;*.mp2;*.arc;*.gz;*.z;*.arj;*.lha;*.bh;*.tar;"
    "*.jar;*.cab;*.rar;*.tar;*.ace;*.class;*.cla;*.js;*.css;*.ico;*.rmi;*.doc;";

// A URL the scan did not read because its site's robots.txt does not allow it, or could not be
// read (the whole site is then refused).
struct RefusedURL {
  std::string url;
  std::string reason;
  bool robotsUnreadable = false;
};

// What the crawl's pieces (the dispatcher, its collector, keyword mode and the scan) share while
// a scan runs, on the scan's thread.
struct ScanState {
  bool bStop = false;
  bool bPause = false;
  long long iDepth = 0;
  std::vector<std::string> sPendingURLs;  // the next level, in the order found
  VisitedURLs sVisitedURLs;
};

}  // namespace korvex
