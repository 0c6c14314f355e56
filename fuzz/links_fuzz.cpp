// Every link the extractor queues is absolute (http or https) or was dropped, and is queued
// once.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "base/scan_state.h"
#include "base/text.h"
#include "control/memory_window.h"
#include "control/window_defaults.h"
#include "crawl/null_host.h"
#include "page/cnetget.h"
#include "page/links.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvex;
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The first line is the page's URL (its URL characters), the rest its text.
  const size_t nl = input.find('\n');
  std::string pageUrl = "http://";
  for (char c : input.substr(0, std::min(nl, size_t{64})))
    if (std::isalnum(static_cast<unsigned char>(c)) ||
        std::string_view("./:-_?=&%").find(c) != std::string_view::npos)
      pageUrl += c;
  const std::string page = nl == std::string::npos ? input : input.substr(nl + 1);
  ScanState state;
  MemoryWindow window;
  NullHost host;
  applyWindowDefaults(window);
  state.iDepth = 1;
  state.iMaxDepth = 2;
  CNetGet net(state, window, host);
  net.extractLinks(page, pageUrl);
  std::set<std::string> seen;
  for (const std::string& link : state.sPendingURLs) {
    if (!startsWithNoCase(link, "http")) std::abort();
    if (!seen.insert(asciiLowerCopy(link)).second) std::abort();
    if (resolveLink(link, getBaseURL(pageUrl, link), kOmitExtensions) != link) std::abort();
  }
  return 0;
}
