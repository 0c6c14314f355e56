// korvex-cli scan: a whole scan, in URL mode (--url) or keyword mode (--keywords).
#pragma once

#include <string>
#include <vector>

#include "cli/output.h"
#include "control/window_defaults.h"

namespace CLI {
class App;
}

namespace korvex::cli {

struct ScanOptions {
  std::string url;
  std::string keywords;
  std::string engine;
  int depth = kDefaultDepth;
  std::string maxPages{kDefaultMaxPages};
  std::string maxTime{kDefaultMaxTime};
  int threads = kDefaultThreads;
  std::vector<std::string> urlMust;
  std::vector<std::string> urlMustNot;
  std::vector<std::string> pageMust;
  std::vector<std::string> pageMustNot;
  bool urlAll = false;
  bool pageAll = false;
  std::string output;
  std::string delimiter{kDefaultDelimiter};
  Format format = Format::Text;
  bool quiet = false;
  bool ignoreRobots = false;
  std::string delayMs{kDefaultDelayPerHost};
  std::string userAgent{kAgent};
};

void addScanCommand(CLI::App& app, ScanOptions& options);
// Exit status: 0 when the scan ended, 2 for bad arguments, 3 when not connected, 4 when the
// output file cannot be written.
int runScanCommand(ScanOptions options);

}  // namespace korvex::cli
