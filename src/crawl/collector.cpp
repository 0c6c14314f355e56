// Collecting what a worker found: addresses into the window and the address list, counts into
// the counters, links into the next level.
#include <algorithm>
#include <utility>

#include "base/text.h"
#include "crawl/dispatcher.h"

namespace korvex {
namespace {

// bCollected_ is false for the whole of a collection, and true again however it ends.
class CollectingFlag {
 public:
  explicit CollectingFlag(bool& flag) : flag_(flag) { flag_ = false; }
  ~CollectingFlag() { flag_ = true; }
  CollectingFlag(const CollectingFlag&) = delete;
  CollectingFlag& operator=(const CollectingFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void Dispatcher::extractValues(int iThread) {
  Worker* w = worker(iThread);
  if (!w) return;
  CollectingFlag collecting(bCollected_);
  // Everything is taken from the worker before the first yield: Stop may release it there.
  const PageResult r = w->takeResult();
  if (iThread == firstTaskWorker_ && !firstPage_) {
    firstPage_.emplace();
    firstPage_->read = r.read;
    firstPage_->failure = r.failure;
    firstPage_->status = r.status;
  }
  // A worker is collected at the end of a level and again before its next task: only the first
  // collection has a page.
  const std::string taskUrl = std::exchange(taskUrls_[iThread], std::string());
  // No spelling of a page read is handed out again.
  if (!r.finalUrl.empty() && state_.sVisitedURLs.add(r.finalUrl))
    results_.crawled({CrawlEvent::Kind::KnownOnly, r.finalUrl});
  if (!r.emails.empty()) addEmails(r.emails, taskUrl);
  if (r.extUrls > 0) results_.linksTaken(r.extUrls);
  if (r.validUrls != 0) results_.pagesAccepted(r.validUrls);
  if (!r.links.empty()) addURLs(r.links);
  if (taskUrl.empty()) return;
  CrawlEvent collected(CrawlEvent::Kind::Collected, taskUrl);
  collected.linksTaken = std::max(r.extUrls, 0LL);
  collected.pagesAccepted = r.validUrls;
  results_.crawled(collected);
}

void Dispatcher::addEmails(const EmailList& emails, const std::string& taskUrl) {
  results_.addressesFound(emails, taskUrl);
  host_.yield();
}

void Dispatcher::addURLs(const std::vector<std::string>& links) {
  for (const std::string& link : links) {
    if (trimSpaces(link).empty() || urlExists(link)) continue;
    if (!scope_.contains(link)) {
      state_.sVisitedURLs.add(link);  // counted once, however many pages link it
      results_.outOfScope(link);
      continue;
    }
    state_.sPendingURLs.push_back(link);
    state_.sVisitedURLs.add(link);
    results_.crawled({CrawlEvent::Kind::Queued, link, state_.iDepth + 1});
  }
  host_.yield();
}

bool Dispatcher::urlExists(std::string_view url) const {
  return state_.sVisitedURLs.contains(url);
}

}  // namespace korvex
