#include "window/scan_news.h"

namespace korvex {

void ScanNews::rowsAdded() {
  if (told_.exchange(true)) return;
  queue_.post([this] {
    // Rows added from here on are news again; those added before are in the results already.
    told_ = false;
    window_.resultsAdded();
  });
}

}  // namespace korvex
