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
  ask_ = nullptr;
  counters_ = {.extracted = 1};
  const auto lock = reading();
  domains_.clear();
  addresses_.clear();
  scanned_.clear();
  refused_.clear();
}

void ScanResults::restore(const ScanProgress& progress) {
  counters_ = progress.counters;
  {
    const auto lock = reading();
    addresses_.clear();
    scanned_ = progress.scanned;
    refused_ = progress.refused;
  }
  for (const std::string& url : progress.scanned)
    for (ScanSink* sink : sinks_) sink->urlHandedOut(url);
  for (const FoundAddress& a : progress.addresses) {
    if (!added(a.address, a.page)) continue;
    const FoundAddress found{static_cast<long long>(addresses_.size()), a.address, a.page};
    for (ScanSink* sink : sinks_) sink->addressFound(found);
  }
  for (const RefusedURL& r : refused_)
    for (ScanSink* sink : sinks_) sink->urlRefused(r);
  for (const auto& [domain, answer] : progress.domains) domainAnswered(domain, answer);
  if (ask_)  // what the scan had not heard of yet
    for (size_t i = 0; i < addresses_.size(); ++i) ask(domainOf(addresses_.address(i)));
  counted();
}

bool ScanResults::added(std::string_view address, std::string_view page) {
  const auto lock = reading();
  return addresses_.add(address, page);
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

void ScanResults::ask(const std::string& domain) {
  if (const auto lock = reading(); !domains_.try_emplace(domain).second) return;
  if (domain.empty()) {  // nothing DNS could be asked
    domainAnswered(domain, {DomainAnswer::State::Unknown, "not a domain name"});
    return;
  }
  ask_(domain);
}

void ScanResults::domainAnswered(const std::string& domain, const DomainAnswer& answer) {
  {
    const auto lock = reading();
    domains_[domain] = answer;
  }
  for (ScanSink* sink : sinks_) sink->domainChecked(domain, answer);
  CrawlEvent event(CrawlEvent::Kind::Domain, domain);
  event.detail = describe(answer);
  crawled(event);
}

std::string ScanResults::dnsOf(std::string_view address) const {
  const auto found = domains_.find(domainOf(address));
  return found == domains_.end() || !found->second ? "" : describe(*found->second);
}

std::vector<std::pair<std::string, long long>> ScanResults::addressesByState() const {
  using S = DomainAnswer::State;
  std::vector<std::pair<std::string, long long>> counts;
  for (S state : {S::Mail, S::NoMail, S::HostOnly, S::NoSuchDomain, S::Unknown})
    counts.emplace_back(state == S::Unknown ? "unknown" : describe({state}), 0);
  for (size_t i = 0; i < addresses_.size(); ++i) {
    const auto found = domains_.find(domainOf(addresses_.address(i)));
    const S state = found == domains_.end() || !found->second ? S::Unknown : found->second->state;
    ++counts[static_cast<size_t>(state)].second;
  }
  return counts;
}

void ScanResults::urlHandedOut(const std::string& url) {
  ++counters_.processed;
  std::string shown = shownUrl(url);
  crawled({CrawlEvent::Kind::HandedOut, url});
  {
    const auto lock = reading();
    scanned_.push_back(std::move(shown));
  }
  // Told once it is in the list, where a view on another thread reads it.
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
    if (address.empty() || !added(address, event.detail)) continue;
    if (fresh->empty()) fresh->reserve(addresses.byteSize());
    fresh->add(address);
    if (ask_) ask(domainOf(address));
    ++counters_.emails;
    const FoundAddress found{static_cast<long long>(addresses_.size()), std::string(address),
                             event.detail};
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
  for (ScanSink* sink : sinks_) sink->urlRefused(refused);
  {
    const auto lock = reading();
    refused_.push_back(std::move(refused));
  }
  counted();
}

}  // namespace korvex
