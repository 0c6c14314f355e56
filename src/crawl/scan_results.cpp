#include "crawl/scan_results.h"

#include "base/shown_url.h"

namespace korvex {

void ScanResults::reset(ScanSink* sink) {
  sink_ = sink;
  counters_ = {.extracted = 1};
  addresses_.clear();
  scanned_.clear();
  refused_.clear();
}

void ScanResults::counted() {
  if (sink_) sink_->countersChanged(counters_);
}

void ScanResults::urlHandedOut(const std::string& url) {
  ++counters_.processed;
  scanned_.push_back(shownUrl(url));
  if (sink_) sink_->urlHandedOut(scanned_.back());
  counted();
}

void ScanResults::linksTaken(long long count) {
  counters_.extracted += count;
  counted();
}

void ScanResults::pagesAccepted(long long count) {
  counters_.valid += count;
  counted();
}

void ScanResults::addressFound(const std::string& address, const std::string& pageUrl) {
  ++counters_.emails;
  addresses_.push_back({counters_.emails, address, shownUrl(pageUrl)});
  if (sink_) sink_->addressFound(addresses_.back());
  counted();
}

void ScanResults::urlRefused(RefusedURL refused) {
  ++counters_.refused;
  refused.url = shownUrl(refused.url);
  refused_.push_back(std::move(refused));
  if (sink_) sink_->urlRefused(refused_.back());
  counted();
}

}  // namespace korvex
