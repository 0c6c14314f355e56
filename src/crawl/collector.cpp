// Collecting what a worker found: addresses into the window and the address list, counts into
// the counters, links into the next level.
#include "crawl/dispatcher.h"
#include "page/record_email.h"
#include "page/text.h"

namespace korvex {
namespace {

// bCollected is False for the whole of a collection, and True again however it ends.
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
  CollectingFlag collecting(state_.bCollected);
  // Everything is taken from the worker before the first yield: Stop may release it there.
  const auto emails = w->GetEmails();
  const auto urls = emails.empty() ? std::vector<std::string>{} : w->GetEmailUrl();
  const double extracted = w->GetNoOfExtUrls();
  const double valid = w->GetNoOfValidUrls();
  const auto links = w->GetURLString();
  if (!emails.empty()) addEmails(emails, urls, taskUrls_[iThread]);
  if (extracted > 0) increaseCounter(window_, Field::txtNoOfExtUrl, extracted);
  if (valid != 0) increaseCounter(window_, Field::txtNoOfValidUrls, valid);
  if (!links.empty()) addURLs(links);
}

void Dispatcher::addEmails(const std::vector<std::string>& emails,
                           const std::vector<std::string>& urls, const std::string& taskUrl) {
  for (size_t i = 0; i < emails.size(); ++i) {
    const std::string address = trimmed(emails[i]);
    if (address.empty() || emailExists(address)) continue;
    recordEmail(window_, state_, address, i < urls.size() ? urls[i] : taskUrl);
  }
  host_.yield();
}

bool Dispatcher::emailExists(std::string_view address) const {
  return state_.sEmailList.contains(trimSpaces(address));
}

void Dispatcher::addURLs(const std::vector<std::string>& links) {
  for (const std::string& link : links) {
    if (trimSpaces(link).empty() || urlExists(link)) continue;
    state_.sPendingURLs.push_back(link);
    state_.sVisitedURLs.add(link);
  }
  host_.yield();
}

bool Dispatcher::urlExists(std::string_view url) const {
  return state_.sVisitedURLs.contains(url);
}

void Dispatcher::checkCompleted() {
  for (int i = 0; i < state_.iThreads; ++i)
    if (Worker* w = worker(i); w && w->GetCompletedStatus()) state_.bStop = true;
}

}  // namespace korvex
