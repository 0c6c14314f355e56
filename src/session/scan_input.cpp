#include "session/scan_input.h"

namespace korvex {

ScanRequest scanRequest(const ScanInput& input) {
  ScanRequest request{.keywordMode = input.keywordMode,
                      .base = input.base,
                      .crawl = crawlSettingsFrom(input.values),
                      .starts = input.starts,
                      .engineJson = input.keywordMode ? input.engineJson : ""};
  request.crawl.page.resolve = input.resolve;
  request.crawl.dnsServers = input.dnsServers;
  return request;
}

}  // namespace korvex
