#include "control/page_preview.h"

#include "base/null_host.h"
#include "control/window_defaults.h"
#include "page/cnetget.h"

namespace korvex {

PageResult previewPage(const std::string& url) {
  NullHost host;
  CNetGet net(PageSettings{}, host);  // the window's start-up settings
  VisitedURLs known;                  // the page's own URL, as the base URL of a scan
  known.add(url);
  return net.execProc1({.url = url, .level = 1, .maxDepth = kDefaultDepth + 1}, known.snapshot());
}

}  // namespace korvex
