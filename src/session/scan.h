// A scan from one request: the crawl in URL mode or keyword mode, its results kept as typed
// values and sent as they come to its sinks. It runs on its session's thread and takes requests
// at the turns of `host`.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/host.h"
#include "crawl/crawl_settings.h"
#include "crawl/dispatcher.h"
#include "crawl/domain_check.h"
#include "crawl/engine_profile.h"
#include "crawl/harvester.h"
#include "crawl/scan_results.h"
#include "page/cnetget.h"

namespace korvex {

// Bounds of the sitemaps a scan reads: files in all, and index files within index files.
inline constexpr int kMaxSitemapFiles = 100;
inline constexpr int kMaxSitemapIndexDepth = 3;

struct ScanRequest {
  bool keywordMode = false;
  std::string base;  // URL mode: the base URL with its scheme; keyword mode: the keywords
  CrawlSettings crawl;
  // URL mode from a list: every start URL of level 1 (base is then the first).
  std::vector<std::string> starts = {};
  // Keyword mode: a metasearch engine that answers JSON, asked instead of the default engine.
  std::string engineJson = "";
};

enum class ScanEnd {
  Ran,
  ConnectionFailed,  // the Internet connection could not be opened: nothing was read
  WorkersFailed      // the scan ran, but its workers could not be made
};

// "http://" in front of a base URL without a scheme; one with http or https keeps its own.
std::string withScheme(std::string_view base);

class Scan {
 public:
  Scan(Host& host, WorkerFactory factory, EngineProfile profile, const Clock& clock);

  // Clears the last results and runs the scan, its results sent to every sink; returns when it
  // is over. A resumed scan (URL mode) goes on from where its journal left it.
  ScanEnd run(const ScanRequest& request, std::vector<ScanSink*> sinks,
              const ScanProgress* resumed = nullptr);
  // Between runs: no results, or those a journal kept, told to the sinks.
  void showResults(std::vector<ScanSink*> sinks, const ScanProgress* kept);
  // The last run ended by stop(), not by itself.
  bool stopped() const { return stopped_; }
  // At the scan's turns.
  void setPaused(bool paused) { state_.bPause = paused; }
  // Ends the scan: the workers are released and the page engine's connection is closed.
  void stop();
  // Any thread: a read of the scan's own page engine ends now, and every later one fails.
  void cancelReads();
  // At the scan's turns: the domains' answers that came from DNS go to the results.
  void takeDomainAnswers();

  const ScanResults& results() const { return results_; }
  ScanState& state() { return state_; }
  const ScanState& state() const { return state_; }
  Dispatcher& dispatcher() { return dispatcher_; }
  // Why the Internet connection of the last run could not be opened.
  const std::string& connectionFailure() const { return connectionFailure_; }
  // URL mode: why the base URL could not be opened, when its page was read and failed or
  // robots.txt refused it.
  std::optional<std::string> startPageFailure() const;
  // Keyword mode: why result pages could not be used, and how many were read.
  const std::vector<std::string>& engineProblems() const { return engineProblems_; }
  int enginePagesRead() const { return enginePagesRead_; }
  // Keyword mode found no result page to read: the scan did not run, however it ended.
  bool engineUnread() const {
    return request_.keywordMode && !stopped_ && enginePagesRead_ == 0 && !engineProblems_.empty();
  }
  // URL mode: the HTTP error status (400 or more) the base URL answered; the page was read.
  std::optional<long> startPageErrorStatus() const;

 private:
  void releaseObjNet();
  // After the crawl: the checks still open get their time, then end unanswered.
  void finishDomainChecks();
  void runUrlMode(const ScanRequest& request, const ScanProgress* resumed);
  // The base URL of a scan from one URL, whose failure is the scan's.
  bool oneBaseUrl() const { return !request_.keywordMode && request_.starts.size() <= 1; }
  void runKeywordMode(const std::string& keywords);
  void runJsonEngine(const std::string& engine, const std::string& keywords);
  // The pages the start sites' sitemaps list (robots.txt's Sitemap lines, else /sitemap.xml,
  // through index files), each site's own only.
  std::vector<std::string> sitemapUrls(const std::vector<std::string>& starts);

  Host& host_;
  EngineProfile profile_;
  const Clock& clock_;
  ScanState state_;
  ScanResults results_;
  ScanRequest request_;
  // The scan's own page engine, made at the start of a run and released at its end: keyword
  // mode reads through it, and every worker gets a copy of its settings.
  std::unique_ptr<CNetGet> objNet_;
  std::mutex objNetMutex_;  // its making and release against cancelReads()
  Dispatcher dispatcher_;
  Harvester harvester_;
  std::unique_ptr<DomainChecker> checker_;  // while a scan with the check runs
  std::string connectionFailure_;
  bool stopped_ = false;
  std::vector<std::string> engineProblems_;
  int enginePagesRead_ = 0;
};

}  // namespace korvex
