#include "crawl/page_task.h"

#include <ctime>

#include "base/text.h"
#include "page/result_output.h"
#include "page/url_origin.h"

namespace korvex {

WorkerSettings settingsFromWindow(const Window& window, const ScanState& state) {
  WorkerSettings s;
  s.urlDelimiter = state.sSep;
  s.urlMust = trimmed(window.text(Field::txtURLMustKeyword));
  s.urlMustNot = trimmed(window.text(Field::txtURLMustNotKeyword));
  s.pagesMust = trimmed(window.text(Field::txtPagesMustKeyword));
  s.pagesMustNot = trimmed(window.text(Field::txtPagesMustNotKeyword));
  s.aURLMust = state.aURLMust;
  s.aURLMustNot = state.aURLMustNot;
  s.aPagesMust = state.aPagesMust;
  s.aPagesMustNot = state.aPagesMustNot;
  s.optUrlAny = window.option(Option::OptURLAny);
  s.optUrlAll = window.option(Option::OptURLAll);
  s.optPagesAny = window.option(Option::OptPagesAny);
  s.optPagesAll = window.option(Option::OptPagesAll);
  s.omitExtensions = state.sOmitExtensions;
  s.maxTime = fieldNumber(window, Field::txtMaxTime);
  s.agent = agentFromWindow(window);
  return s;
}

PageEngine::PageEngine(WorkerSettings settings, const Clock& clock)
    : settings_(std::move(settings)),
      urlMust_(settings_.aURLMust),
      urlMustNot_(settings_.aURLMustNot),
      pagesMust_(settings_.aPagesMust),
      pagesMustNot_(settings_.aPagesMustNot),
      omitted_(settings_.omitExtensions),
      rules_{.url = {.mustFieldFilled = !settings_.urlMust.empty(),
                     .matchAny = settings_.optUrlAny,
                     .matchAll = settings_.optUrlAll,
                     .must = &urlMust_,
                     .mustNotFieldFilled = !settings_.urlMustNot.empty(),
                     .mustNot = &urlMustNot_},
             .page = {.mustFieldFilled = !settings_.pagesMust.empty(),
                      .matchAny = settings_.optPagesAny,
                      .matchAll = settings_.optPagesAll,
                      .must = &pagesMust_,
                      .mustNotFieldFilled = !settings_.pagesMustNot.empty(),
                      .mustNot = &pagesMustNot_},
             .omitted = &omitted_},
      reader_(
          host_, [maxTime = settings_.maxTime] { return maxTime; }, clock),
      processor_(reader_, host_) {
  reader_.setAgent(settings_.agent);
  reader_.open();
}

void PageEngine::cancel() {
  cancelled_ = true;
  reader_.cancel();
  if (settings_.gate) settings_.gate->wakeAll();
}

PageResult PageEngine::run(const PageTask& task) {
  const std::optional<UrlOrigin> origin = settings_.gate ? originOf(task.job.url) : std::nullopt;
  if (origin && !settings_.gate->waitTurn(origin->origin, cancelled_)) {
    PageResult r;
    r.failure = "cancelled";
    return r;
  }
  ResultOutput out(task.known);
  const ReadResult read = processor_.process(task.job, rules_, out);
  // An overloaded site gets its pause; the page is still processed as it came.
  if (origin && (read.status == 429 || read.status == 503))
    settings_.gate->backOff(origin->origin, retryAfterPause(read.retryAfter, std::time(nullptr)));
  PageResult r = out.take();
  r.read = read.opened;
  r.failure = read.failure;
  r.status = read.status;
  return r;
}

}  // namespace korvex
