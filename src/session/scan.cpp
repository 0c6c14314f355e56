#include "session/scan.h"

#include <deque>
#include <set>

#include "base/shown_url.h"
#include "base/text.h"
#include "page/sitemap.h"
#include "page/url_origin.h"
#include "session/json_engine.h"

namespace korvex {

std::string withScheme(std::string_view base) {
  const std::string lower = asciiLowerCopy(base.substr(0, 6));
  if (base.empty() || lower.starts_with("http:") || lower.starts_with("https:"))
    return std::string(base);
  return "http://" + std::string(base);
}

Scan::Scan(Host& host, WorkerFactory factory, EngineProfile profile, const Clock& clock)
    : host_(host),
      profile_(std::move(profile)),
      clock_(clock),
      dispatcher_(state_, results_, host, objNet_, std::move(factory)),
      harvester_(state_, results_, host, objNet_, dispatcher_, profile_) {}

ScanEnd Scan::run(const ScanRequest& request, std::vector<ScanSink*> sinks,
                  const ScanProgress* resumed) {
  request_ = request;
  stopped_ = false;
  results_.reset(std::move(sinks));
  checker_.reset();
  if (request.crawl.checkDomains) {
    checker_ = std::make_unique<DomainChecker>(request.crawl.dnsServers, host_.wakeup());
    results_.checkDomains([this](const std::string& domain) { checker_->check(domain); });
  }
  state_.iDepth = 0;
  state_.sVisitedURLs.clear();
  state_.bPause = false;
  state_.bStop = false;
  if (resumed) {
    results_.restore(*resumed);
    for (const std::string& url : resumed->known) state_.sVisitedURLs.add(url);
  }
  connectionFailure_.clear();
  {
    std::lock_guard lock(objNetMutex_);
    objNet_ = std::make_unique<CNetGet>(request.crawl.page, clock_);
  }
  if (!objNet_->openUrl()) {
    connectionFailure_ = objNet_->openFailure();
    releaseObjNet();
    return ScanEnd::ConnectionFailed;
  }
  dispatcher_.resetPool(request.crawl);
  engineProblems_.clear();
  enginePagesRead_ = 0;
  host_.yield();  // a Stop sent before the scan began ends it here
  if (request.keywordMode && !request.engineJson.empty()) {
    runJsonEngine(request.engineJson, request.base);
  } else if (request.keywordMode) {
    runKeywordMode(request.base);
  } else {
    runUrlMode(request, resumed);
  }
  if (objNet_) objNet_->closeURL();
  releaseObjNet();
  dispatcher_.TerminateThreads();
  finishDomainChecks();
  return dispatcher_.poolFailed() ? ScanEnd::WorkersFailed : ScanEnd::Ran;
}

void Scan::showResults(std::vector<ScanSink*> sinks, const ScanProgress* kept) {
  results_.reset(std::move(sinks));
  if (kept) results_.restore(*kept);
}

void Scan::runUrlMode(const ScanRequest& request, const ScanProgress* resumed) {
  dispatcher_.setScopeStarts(request.starts.empty() ? std::vector{request.base} : request.starts);
  // A scan killed before its first write knows nothing yet: it starts again.
  if (resumed && !resumed->known.empty()) {
    state_.sPendingURLs = resumed->levelUrls;
    dispatcher_.ScanURL(resumed->level, resumed->nextLevelUrls);
  } else {
    state_.sPendingURLs.clear();
    const std::vector<std::string> starts =
        request.starts.empty() ? std::vector{request.base} : request.starts;
    for (const std::string& start : starts) {
      if (!state_.sVisitedURLs.add(start)) continue;  // listed twice
      state_.sPendingURLs.push_back(start);
      results_.crawled({CrawlEvent::Kind::Queued, start, 1});
    }
    // What the sitemaps list joins level 2, as if the start pages linked it.
    std::vector<std::string> listed;
    if (request.crawl.sitemaps) {
      for (std::string& url : sitemapUrls(starts)) {
        if (!state_.sVisitedURLs.add(url)) continue;
        results_.crawled({CrawlEvent::Kind::Queued, url, 2});
        listed.push_back(std::move(url));
      }
    }
    dispatcher_.ScanURL(1, std::move(listed));
  }
  state_.bStop = true;
}

void Scan::runKeywordMode(const std::string& keywords) {
  harvester_.run(keywords);
  engineProblems_ = harvester_.problems();
  enginePagesRead_ = harvester_.pagesRead();
}

std::vector<std::string> Scan::sitemapUrls(const std::vector<std::string>& starts) {
  std::vector<std::string> urls;
  std::set<std::string> origins;
  for (const std::string& start : starts)
    if (const auto o = originOf(start)) origins.insert(o->origin);
  for (const std::string& origin : origins) {
    // Read whatever robots.txt says of pages: it names the sitemaps.
    const ReadResult robots = objNet_->ReadUrl(origin + "/robots.txt");
    std::vector<std::string> maps = robots.opened && robots.status < 400
                                        ? sitemapLines(robots.text)
                                        : std::vector<std::string>{};
    if (maps.empty()) maps = {origin + "/sitemap.xml"};
    std::deque<std::pair<std::string, int>> queue;  // a sitemap and its depth of index files
    std::set<std::string> seen;
    for (const std::string& map : maps)
      if (seen.insert(map).second) queue.emplace_back(map, 0);
    for (int files = 0; !queue.empty() && files < kMaxSitemapFiles && !state_.bStop; ++files) {
      const auto [map, depth] = queue.front();
      queue.pop_front();
      const ReadResult read = objNet_->ReadUrl(map);
      if (!read.opened || read.status >= 400) continue;
      const SitemapFile file = parseSitemap(read.text);
      for (const std::string& loc : file.locs) {
        if (file.index) {
          if (depth < kMaxSitemapIndexDepth && seen.insert(loc).second)
            queue.emplace_back(loc, depth + 1);
        } else if (const auto o = originOf(loc); o && o->origin == origin) {
          urls.push_back(loc);  // only the start site's own pages
        }
      }
    }
  }
  return urls;
}

void Scan::runJsonEngine(const std::string& engine, const std::string& keywords) {
  std::vector<std::string> starts;
  for (int page = 1; page <= kMaxJsonEnginePages && !state_.bStop; ++page) {
    while (state_.bPause) host_.wait();
    const std::string address = jsonEngineAddress(engine, keywords, page);
    const ReadResult read = objNet_->ReadUrl(address);
    if (state_.bStop) break;
    results_.urlHandedOut(address);
    const JsonEngineAnswer answer = readJsonEngineAnswer(read);
    if (answer.problem) {
      engineProblems_.push_back("result page " + std::to_string(page) + ": " + *answer.problem);
      break;
    }
    ++enginePagesRead_;
    if (answer.urls.empty()) break;  // a page without results ends them
    for (const std::string& url : answer.urls) {
      const std::string lower = asciiLowerCopy(url.substr(0, 8));
      if (!lower.starts_with("http://") && !lower.starts_with("https://")) continue;
      if (state_.sVisitedURLs.contains(url) || !objNet_->validURL(url)) continue;
      state_.sVisitedURLs.add(url);
      starts.push_back(url);
    }
  }
  // As keyword mode goes on with the URLs it harvests: each a start URL of level 1.
  for (const std::string& url : starts) results_.crawled({CrawlEvent::Kind::Queued, url, 1});
  state_.sPendingURLs = starts;
  dispatcher_.setScopeStarts(starts);
  if (!starts.empty()) dispatcher_.ScanURL();
  state_.bStop = true;
}

void Scan::stop() {
  stopped_ = true;
  dispatcher_.TerminateThreads();
  state_.bStop = true;
  state_.bPause = false;
  if (objNet_) objNet_->closeURL();
}

void Scan::takeDomainAnswers() {
  if (!checker_) return;
  for (const auto& [domain, answer] : checker_->answers()) results_.domainAnswered(domain, answer);
}

void Scan::finishDomainChecks() {
  if (!checker_) return;
  const auto deadline = clock_.now() + kDnsQueryTime;
  while (!stopped_ && checker_->open() > 0 && clock_.now() < deadline) host_.wait();
  takeDomainAnswers();
  for (const auto& [domain, answer] : checker_->giveUp()) results_.domainAnswered(domain, answer);
  checker_.reset();
}

void Scan::cancelReads() {
  std::lock_guard lock(objNetMutex_);
  if (objNet_) objNet_->cancel();
}

void Scan::releaseObjNet() {
  std::lock_guard lock(objNetMutex_);
  objNet_.reset();
}

std::optional<std::string> Scan::startPageFailure() const {
  if (!oneBaseUrl()) return std::nullopt;
  const auto& refused = results_.refused();
  if (!refused.empty() && refused.front().url == shownUrl(request_.base))
    return refused.front().reason;
  const auto& first = dispatcher_.firstPage();
  if (!first || first->read) return std::nullopt;
  return first->failure;
}

std::optional<long> Scan::startPageErrorStatus() const {
  const auto& first = dispatcher_.firstPage();
  if (!oneBaseUrl() || !first || first->status < 400) return std::nullopt;
  return first->status;
}

}  // namespace korvex
