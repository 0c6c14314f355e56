// The scan state: the program-wide scan variables and the main window's scan variables.
// Joined lists are held as containers; what they hold and in which order is unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/email_list.h"
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

struct ScanState {
  // Fixed at load.
  const std::string sSep = ";";
  const std::string sQuote = "\"";
  const std::string sApos = "'";

  bool bStop = false;
  bool bPause = false;
  int iThreads = 0;
  long long iDepth = 0;
  std::vector<std::string> sPendingURLs;  // the next level, in the order found
  std::vector<std::string> aURLs;         // the level in progress
  VisitedURLs sVisitedURLs;
  std::string sPageURL;
  EmailList sEmailList;
  std::string sKeywords;

  // The main window's scan variables.
  bool bWorkersMade = false;
  bool bCollected = true;
  std::vector<std::string> aSearchPages;  // index 0 stays empty
  long long lSearchPage = 0;
  int iPagesPerPass = 0;
  VisitedURLs sPageLinks;
  std::vector<std::string> sStartLinks;
  std::string vSearchText;
  std::string vPageText;
};

}  // namespace korvex
