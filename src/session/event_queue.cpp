#include "session/event_queue.h"

namespace korvex {

void EventQueue::urlHandedOut(const std::string& shownUrl) {
  post([this, shownUrl] { target_.urlHandedOut(shownUrl); });
}

void EventQueue::addressFound(const FoundAddress& found) {
  post([this, found] { target_.addressFound(found); });
}

void EventQueue::urlRefused(const RefusedURL& refused) {
  post([this, refused] { target_.urlRefused(refused); });
}

void EventQueue::countersChanged(const ScanCounters& counters) {
  post([this, counters] { target_.countersChanged(counters); });
}

void EventQueue::domainChecked(const std::string& domain, const DomainAnswer& answer) {
  post([this, domain, answer] { target_.domainChecked(domain, answer); });
}

void EventQueue::post(std::function<void()> action) {
  std::lock_guard lock(mutex_);
  pending_.push_back(std::move(action));
}

void EventQueue::deliver() {
  std::vector<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(pending_);
  }
  for (auto& action : batch) action();
}

}  // namespace korvex
