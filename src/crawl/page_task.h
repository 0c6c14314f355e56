// What a worker does for one URL: waits for its site's turn, runs its page engine on the URL and
// gives an overloaded site its pause.
#pragma once

#include <atomic>
#include <memory>

#include "base/page_result.h"
#include "base/url_set.h"
#include "crawl/host_gate.h"
#include "page/cnetget.h"

namespace korvex {

// A worker's configuration, handed over once when the pool is made: an immutable copy of the
// scan's page settings and the pool's pacing.
struct WorkerSettings {
  PageSettings page;
  std::shared_ptr<HostGate> gate;  // nullptr: no pacing
};

struct PageTask {
  PageJob job;
  UrlSnapshot known;  // the URLs the scan held when the task began
};

// `cancelled` ends a wait for the site's turn; the engine's cancel ends a read.
PageResult runPageTask(CNetGet& net, HostGate* gate, const PageTask& task,
                       const std::atomic<bool>& cancelled);

}  // namespace korvex
