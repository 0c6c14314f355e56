#include "crawl/harvester.h"

#include "base/text.h"

namespace korvex {
namespace {

constexpr std::string_view kNavigationMarker = "navbar/pages/";
constexpr std::string_view kTargetPrefix = "-http://";

}  // namespace

CutLink cutLink(std::string_view text, size_t dash) {
  const size_t start = dash + 1;
  size_t end = start + 1;
  while (end < text.size() && text[end] != ' ' && text[end] != '"') ++end;
  end = std::min(end, text.size());
  return {trimmed(text.substr(start, end - start)), end};
}

Harvester::Harvester(ScanState& state, ScanResults& results, Host& host,
                     std::unique_ptr<CNetGet>& objNet, Dispatcher& dispatcher,
                     const EngineProfile& profile)
    : state_(state),
      results_(results),
      host_(host),
      objNet_(objNet),
      dispatcher_(dispatcher),
      profile_(profile) {}

void Harvester::run(const std::string& keywords) {
  problems_.clear();
  pagesAsked_ = 0;
  pagesRead_ = 0;
  sPageLinks_.clear();
  const std::string search = profile_.searchAddress() + replaceAll(keywords, " ", "+");
  state_.sPendingURLs = {search};
  lSearchPage_ = 1;
  aSearchPages_ = {"", search};
  while (lSearchPage_ <= static_cast<long long>(aSearchPages_.size()) - 1) {
    if (state_.bStop) break;
    while (state_.bPause) host_.wait();
    state_.sPendingURLs = {aSearchPages_[lSearchPage_]};
    sStartLinks_.clear();
    searchPagesURLs();
    ++lSearchPage_;
  }
}

std::string Harvester::readPage(const std::string& url) {
  ReadResult read = objNet_->ReadUrl(url);
  const std::string page = "result page " + std::to_string(++pagesAsked_) + ": ";
  if (state_.bStop) return read.text;
  if (!read.opened) {
    problems_.push_back(page + "the engine could not be read: " + read.failure);
  } else if (read.status >= 400) {
    problems_.push_back(page + "the engine answered an error (HTTP " + std::to_string(read.status) +
                        ")");
  } else {
    ++pagesRead_;
  }
  return std::move(read.text);
}

void Harvester::searchPagesURLs() {
  sStartLinks_.clear();
  int pageCount = 1;
  size_t searchFrom = 0;  // index where the next search begins

  const std::string first = trimmed(aSearchPages_[lSearchPage_]);
  state_.sPendingURLs = {first};
  if (first.empty()) {
    state_.bStop = true;
    return;
  }
  while (state_.bPause) host_.wait();
  if (state_.bStop) return;

  vSearchText_.clear();
  vPageText_ = readPage(first);
  vSearchText_ = trimmed(vPageText_);
  if (vSearchText_.empty()) return;

  // Navigation links to further result pages, also in the pages fetched here. Each search goes
  // on from where the last one stopped, so the text is scanned once whatever it holds.
  NoCaseFinder markers(vSearchText_, kNavigationMarker);
  NoCaseFinder dashes(vSearchText_, kTargetPrefix);
  while (true) {
    const size_t marker = markers.next(searchFrom);
    if (marker == std::string::npos) break;
    const size_t dash = dashes.next(marker);
    if (dash == std::string::npos) {
      searchFrom = marker + kNavigationMarker.size();
      continue;
    }
    CutLink cut = cutLink(vSearchText_, dash);
    searchFrom = cut.end + 1;
    const std::string link = replaceAll(cut.link, "amp;", "");
    if (link.empty() || !sPageLinks_.add(link)) continue;
    results_.urlHandedOut(link);
    aSearchPages_.push_back(link);
    if (pageCount < kPagesPerPass) {
      ++lSearchPage_;
      vPageText_ = readPage(aSearchPages_[lSearchPage_]);
      vSearchText_ += trimSpaces(vPageText_);
      markers.rebind(vSearchText_);
      dashes.rebind(vSearchText_);
      ++pageCount;
    }
  }

  // Fill the pass with pages already listed; these are not searched for navigation links.
  while (pageCount < kPagesPerPass &&
         lSearchPage_ < static_cast<long long>(aSearchPages_.size()) - 1) {
    ++lSearchPage_;
    const std::string page = trimmed(aSearchPages_[lSearchPage_]);
    if (page.empty()) continue;
    vPageText_ = readPage(page);
    vSearchText_ += trimSpaces(vPageText_);
    ++pageCount;
  }
  extractResultURLs(vSearchText_);
}

void Harvester::extractResultURLs(const std::string& text) {
  sStartLinks_.clear();
  size_t searchFrom = 0;
  NoCaseFinder firstHosts(text, profile_.firstRedirectHost);
  NoCaseFinder secondHosts(text, profile_.secondRedirectHost);
  NoCaseFinder dashes(text, kTargetPrefix);
  while (!text.empty()) {
    size_t host = firstHosts.next(searchFrom);
    if (host == std::string::npos) host = secondHosts.next(searchFrom);
    if (host == std::string::npos) break;
    const size_t dash = dashes.next(host);
    if (dash == std::string::npos) {
      searchFrom = host + profile_.firstRedirectHost.size();
      continue;
    }
    CutLink cut = cutLink(text, dash);
    searchFrom = cut.end + 1;
    std::string link = std::move(cut.link);
    if (containsNoCase(link, "yahoo") || containsNoCase(link, "google") ||
        containsNoCase(link, profile_.numericHost))
      continue;
    link = replaceAll(link, "amp;", "");
    if (link.empty() || state_.sVisitedURLs.contains(link)) continue;
    if (!objNet_->validURL(link)) continue;
    state_.sVisitedURLs.add(link);
    sStartLinks_.push_back(link);
  }
  state_.sPendingURLs = sStartLinks_;
  dispatcher_.setScopeStarts(sStartLinks_);
  if (!state_.sPendingURLs.empty()) dispatcher_.ScanURL();
}

}  // namespace korvex
