#include "page/cnetget.h"

namespace korvex {

CNetGet::CNetGet(PageSettings settings, const Clock& clock)
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
             .omitted = &omitted_,
             .documents = settings_.documents},
      reader_(settings_.maxTime, clock),
      processor_(reader_) {
  reader_.setConnection({.agent = settings_.agent, .resolve = settings_.resolve});
}

ReadResult CNetGet::ReadUrl(const std::string& url) {
  reader_.setStartTime(reader_.clock().now());
  return reader_.read(url);
}

PageResult CNetGet::execProc1(const PageJob& job, UrlSnapshot known) {
  ResultOutput out(std::move(known));
  const ReadResult read = processor_.process(job, rules_, out);
  PageResult r = out.take();
  r.read = read.opened;
  r.failure = read.failure;
  r.status = read.status;
  r.retryAfter = read.retryAfter;
  return r;
}

PageResult CNetGet::processText(std::string text, const std::string& finalUrl, const PageJob& job,
                                UrlSnapshot known) {
  ResultOutput out(std::move(known));
  processor_.processText(text, finalUrl, job, rules_, out);
  PageResult r = out.take();
  r.read = true;
  return r;
}

}  // namespace korvex
