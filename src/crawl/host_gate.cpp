#include "crawl/host_gate.h"

#include <curl/curl.h>

#include <algorithm>

namespace korvex {

std::chrono::milliseconds retryAfterPause(std::string_view header, std::time_t now) {
  using std::chrono::seconds;
  const std::string text(header.substr(0, 64));
  std::chrono::milliseconds pause = kBackOff;
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
    pause = text.size() > 9 ? kMaxRetryAfter : seconds(std::stol(text));
  } else if (const std::time_t at = curl_getdate(text.c_str(), nullptr); at != -1) {
    pause = seconds(std::max<std::time_t>(at - now, 0));
  }
  return std::min<std::chrono::milliseconds>(pause, kMaxRetryAfter);
}

HostGate::Turns& HostGate::turns(const std::string& origin) {
  auto it = origins_.find(origin);
  if (it == origins_.end()) it = origins_.emplace(origin, Turns{{}, delay_}).first;
  return it->second;
}

bool HostGate::waitTurn(const std::string& origin, const std::atomic<bool>& cancelled) {
  std::unique_lock lock(mutex_);
  while (!cancelled) {
    Turns& t = turns(origin);
    const auto now = Clock::now();
    if (t.next <= now) {
      t.next = now + t.delay;
      return true;
    }
    // Woken early by a cancel; a later back-off is seen when this wait ends.
    changed_.wait_until(lock, t.next);
  }
  return false;
}

void HostGate::setCrawlDelay(const std::string& origin, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  Turns& t = turns(origin);
  const auto longer = std::max(t.delay, std::min<std::chrono::milliseconds>(delay, kMaxCrawlDelay));
  t.next += longer - t.delay;
  t.delay = longer;
}

void HostGate::backOff(const std::string& origin, std::chrono::milliseconds pause) {
  std::lock_guard lock(mutex_);
  Turns& t = turns(origin);
  t.next = std::max(t.next, Clock::now() + pause);
}

void HostGate::wakeAll() {
  std::lock_guard lock(mutex_);
  changed_.notify_all();
}

}  // namespace korvex
