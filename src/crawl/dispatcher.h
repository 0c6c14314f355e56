// The crawl: level by level, every acceptable URL of a level to the lowest-numbered idle worker,
// each level closed by waiting for and collecting every worker. Runs on its session's thread and
// sleeps on the host whenever it waits.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/host.h"
#include "base/scan_state.h"
#include "crawl/crawl_settings.h"
#include "crawl/host_gate.h"
#include "crawl/robots_book.h"
#include "crawl/scan_results.h"
#include "crawl/scope.h"
#include "crawl/worker.h"
#include "page/cnetget.h"

namespace korvex {

class Dispatcher {
 public:
  // objNet: the scan's own page engine, made at Start; its settings go to every worker.
  Dispatcher(ScanState& state, ScanResults& results, Host& host, std::unique_ptr<CNetGet>& objNet,
             WorkerFactory factory);

  // Start: a pool of settings.threads workers, made when the first URL is handed out, with the
  // pacing and robots.txt rules of the settings.
  void resetPool(const CrawlSettings& settings);
  // The start URLs whose hosts or sites the links must stay on, as the settings' scope says.
  void setScopeStarts(const std::vector<std::string>& starts) {
    scope_ = ScopeRule(settings_.scope, starts);
  }
  // The crawl from a level's URLs in sPendingURLs; a resumed scan brings the next level's too.
  void ScanURL(long long firstLevel = 1, std::vector<std::string> nextLevel = {});
  long getFreeThread() const;
  bool waitForThreads();
  // Releases every worker, its page cancelled, and joins their threads; may run any number of
  // times.
  void TerminateThreads();
  // Set when the pool could not be made: the crawl ended without handing out a URL.
  bool poolFailed() const { return poolFailed_; }
  // How the first page of the crawl was read, once a worker's result for it is in.
  const std::optional<PageResult>& firstPage() const { return firstPage_; }

  // Collecting worker results.
  void extractValues(int iThread);
  void addEmails(const EmailList& emails, const std::string& taskUrl);
  void addURLs(const std::vector<std::string>& links);
  bool urlExists(std::string_view url) const;

 private:
  Worker* worker(int index) const;
  bool createPool();
  // False when the crawl must end at once (no worker could be made, or Stop released the pool).
  bool handOut(const std::string& entry, long long depthBound);
  // Between two URLs: waits out a pause; false when the level ends (Stop, the page limit, the
  // pool released).
  bool readyForNext();
  // Hands the URL out, refuses it, or keeps it until its site's robots.txt has been read.
  bool offer(const std::string& entry, long long depthBound);
  // The URLs of the level that waited for a robots.txt, as each one is read.
  bool offerDeferred(long long depthBound);
  void refuse(RefusedURL refused);
  bool waitUntilCollected();
  bool pageLimitPassed() const;
  int pagesInFlight() const;
  // Waits, collecting, until a page may go out without passing the page limit; false when the
  // crawl ends meanwhile.
  bool roomUnderPageLimit();

  ScanState& state_;
  ScanResults& results_;
  CrawlSettings settings_;
  int iThreads_ = 0;
  std::vector<std::string> aURLs_;  // the level in progress
  bool bWorkersMade_ = false;
  bool bCollected_ = true;
  Host& host_;
  std::unique_ptr<CNetGet>& objNet_;
  WorkerFactory factory_;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::string> taskUrls_;  // the URL each worker was last given
  bool released_ = false;
  bool poolFailed_ = false;
  int firstTaskWorker_ = -1;
  std::optional<PageResult> firstPage_;  // its read, failure and status only
  std::shared_ptr<HostGate> gate_;
  std::unique_ptr<RobotsBook> robots_;  // nullptr when robots.txt is not obeyed
  std::map<std::string, std::vector<std::string>> deferred_;  // by origin, in their order
  ScopeRule scope_;
};

}  // namespace korvex
