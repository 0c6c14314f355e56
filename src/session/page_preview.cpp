#include "session/page_preview.h"

#include "page/cnetget.h"
#include "settings/scan_settings.h"

namespace korvex {

PageResult previewPage(const std::string& url, bool documents) {
  SettingValues values;  // the start-up values
  values[Setting::Documents] = std::string(1, documents ? '1' : '0');
  const CrawlSettings settings = crawlSettingsFrom(values);
  CNetGet net(settings.page);
  VisitedURLs known;  // the page's own URL, as the base URL of a scan
  known.add(url);
  return net.execProc1({.url = url, .level = 1, .maxDepth = settings.maxDepth}, known.snapshot());
}

}  // namespace korvex
