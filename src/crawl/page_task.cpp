#include "crawl/page_task.h"

#include <ctime>

#include "page/url_origin.h"

namespace korvex {

PageResult runPageTask(CNetGet& net, HostGate* gate, const PageTask& task,
                       const std::atomic<bool>& cancelled) {
  const std::optional<UrlOrigin> origin = gate ? originOf(task.job.url) : std::nullopt;
  if (origin && !gate->waitTurn(origin->origin, cancelled)) {
    PageResult r;
    r.failure = "cancelled";
    return r;
  }
  PageResult r = net.execProc1(task.job, task.known);
  // An overloaded site gets its pause; the page is still processed as it came.
  if (origin && (r.status == 429 || r.status == 503))
    gate->backOff(origin->origin, retryAfterPause(r.retryAfter, std::time(nullptr)));
  return r;
}

}  // namespace korvex
