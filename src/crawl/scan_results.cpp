#include "crawl/scan_results.h"

#include "base/shown_url.h"
#include "base/text.h"

namespace korvex {

bool AddressBook::add(std::string_view address, std::string_view page) {
  if (!addresses_.add(address)) return false;
  if (pages_.empty() || pages_.back() != page) pages_.emplace_back(page);
  pageOf_.push_back(static_cast<uint32_t>(pages_.size() - 1));
  return true;
}

void AddressBook::clear() {
  addresses_.clear();
  pageOf_.clear();
  pages_.clear();
}

void ScanResults::reset(std::vector<ScanSink*> sinks) {
  sinks_ = std::move(sinks);
  counters_ = {.extracted = 1};
  addresses_.clear();
  scanned_.clear();
  refused_.clear();
}

void ScanResults::restore(const ScanProgress& progress) {
  counters_ = progress.counters;
  addresses_.clear();
  for (const FoundAddress& a : progress.addresses) addresses_.add(a.address, a.page);
  scanned_ = progress.scanned;
  refused_ = progress.refused;
  for (ScanSink* sink : sinks_) {
    for (const std::string& url : scanned_) sink->urlHandedOut(url);
    for (const FoundAddress& a : addresses_) sink->addressFound(a);
    for (const RefusedURL& r : refused_) sink->urlRefused(r);
  }
  counted();
}

void ScanResults::counted() {
  for (ScanSink* sink : sinks_) sink->countersChanged(counters_);
}

void ScanResults::outOfScope(const std::string& url) {
  ++counters_.outOfScope;
  crawled({CrawlEvent::Kind::OutOfScope, url});
  counted();
}

void ScanResults::crawled(const CrawlEvent& event) {
  for (ScanSink* sink : sinks_) sink->crawled(event);
}

void ScanResults::urlHandedOut(const std::string& url) {
  ++counters_.processed;
  scanned_.push_back(shownUrl(url));
  crawled({CrawlEvent::Kind::HandedOut, url});
  for (ScanSink* sink : sinks_) sink->urlHandedOut(scanned_.back());
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

void ScanResults::addressesFound(const EmailList& addresses, const std::string& pageUrl) {
  CrawlEvent event(CrawlEvent::Kind::Address, "");
  event.detail = shownUrl(pageUrl);
  auto fresh = std::make_shared<EmailList>();
  for (size_t i = 0; i < addresses.size(); ++i) {
    const std::string_view address = trimSpaces(addresses[i]);
    if (address.empty() || !addresses_.add(address, event.detail)) continue;
    if (fresh->empty()) fresh->reserve(addresses.byteSize());
    fresh->add(address);
    ++counters_.emails;
    const FoundAddress found = addresses_[addresses_.size() - 1];
    for (ScanSink* sink : sinks_) sink->addressFound(found);
  }
  if (fresh->empty()) return;
  event.addresses = std::move(fresh);
  crawled(event);
  counted();
}

void ScanResults::urlRefused(RefusedURL refused) {
  ++counters_.refused;
  CrawlEvent event(CrawlEvent::Kind::Refused, refused.url);
  event.detail = refused.reason;
  event.robotsUnreadable = refused.robotsUnreadable;
  crawled(event);
  refused.url = shownUrl(refused.url);
  refused_.push_back(std::move(refused));
  for (ScanSink* sink : sinks_) sink->urlRefused(refused_.back());
  counted();
}

void ResultsCopy::urlHandedOut(const std::string& shownUrl) {
  results_.scanned_.push_back(shownUrl);
  for (ScanSink* sink : results_.sinks_) sink->urlHandedOut(shownUrl);
}

void ResultsCopy::addressFound(const FoundAddress& found) {
  results_.addresses_.add(found.address, found.page);
  for (ScanSink* sink : results_.sinks_) sink->addressFound(found);
}

void ResultsCopy::urlRefused(const RefusedURL& refused) {
  results_.refused_.push_back(refused);
  for (ScanSink* sink : results_.sinks_) sink->urlRefused(refused);
}

void ResultsCopy::countersChanged(const ScanCounters& counters) {
  results_.counters_ = counters;
  results_.counted();
}

}  // namespace korvex
