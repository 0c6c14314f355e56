// korvex-cli scan: a whole scan, in URL mode (--url) or keyword mode (--keywords).
#pragma once

#include <string>
#include <vector>

#include "cli/output.h"
#include "settings/scan_settings.h"

namespace CLI {
class App;
}

namespace korvex::cli {

struct ScanOptions {
  std::string url;
  std::string keywords;
  std::string engine;
  std::string engineJson;  // a metasearch engine that answers JSON
  std::string urlsFrom;    // a file of start URLs, "-" for standard input
  SettingValues settings;
  std::string output;
  Format format = Format::Text;
  bool quiet = false;
  std::string journal;  // "" for a new file in the journal folder
  bool noJournal = false;
  std::vector<std::string> resolve;     // HOST:PORT:ADDRESS
  std::vector<std::string> dnsServers;  // ADDRESS[:PORT]
};

void addScanCommand(CLI::App& app, ScanOptions& options);
// Exit status: 0 when the scan ended, 2 for bad arguments, 3 when not connected, 4 when the
// output file cannot be written.
int runScanCommand(ScanOptions options);

}  // namespace korvex::cli
