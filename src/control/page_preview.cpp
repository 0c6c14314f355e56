#include "control/page_preview.h"

#include "control/memory_window.h"
#include "control/window_defaults.h"
#include "crawl/page_task.h"

namespace korvex {

PageResult previewPage(const std::string& url) {
  MemoryWindow window;
  applyWindowDefaults(window);
  VisitedURLs known;  // the page's own URL, as the base URL of a scan
  known.add(url);
  PageEngine engine(settingsFromWindow(window, ScanState{}));
  return engine.run({.job = {.url = url, .level = 1, .maxDepth = maxDepthFromWindow(window)},
                     .known = known.snapshot()});
}

}  // namespace korvex
