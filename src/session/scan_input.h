// Every input of a scan as one typed record: what the window's fields, the command line's flags
// and a journal each give, and the one place a scan's request is made from.
#pragma once

#include <string>
#include <vector>

#include "session/scan.h"
#include "settings/scan_settings.h"

namespace korvex {

struct ScanInput {
  bool keywordMode = false;
  std::string base;                          // the base URL with its scheme, or the keywords
  std::vector<std::string> starts = {};      // a scan from a list of URLs: base is the first
  SettingValues values = {};                 // the settings table's rows
  std::string engine = "";                   // keyword mode: an HTML engine instead of the default
  std::string engineJson = "";               // keyword mode: a JSON engine instead of the default
  std::vector<std::string> resolve = {};     // "HOST:PORT:ADDRESS" entries
  std::vector<std::string> dnsServers = {};  // ADDRESS[:PORT], asked instead of the system's
};

// What the scan runs with: the settings read, the keyword lists split, the rest as given.
ScanRequest scanRequest(const ScanInput& input);

}  // namespace korvex
