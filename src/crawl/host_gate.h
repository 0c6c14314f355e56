// Politeness across all workers: the time between two requests to one origin, and the pause an
// origin asks for when it answers 429 or 503.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace korvex {

// Retry-After is obeyed up to this; without one an overloaded origin is left alone kBackOff.
inline constexpr std::chrono::seconds kMaxRetryAfter{60};
inline constexpr std::chrono::seconds kBackOff{5};
// A Crawl-delay of robots.txt is honoured up to this.
inline constexpr std::chrono::seconds kMaxCrawlDelay{10};

// The pause a Retry-After header asks for (seconds or an HTTP date), within kMaxRetryAfter;
// kBackOff when it is absent or unreadable.
std::chrono::milliseconds retryAfterPause(std::string_view header, std::time_t now);

class HostGate {
 public:
  using Clock = std::chrono::steady_clock;
  explicit HostGate(std::chrono::milliseconds delay) : delay_(delay) {}

  // Any thread: waits for the origin's turn and takes it; false when `cancelled` was set and
  // wakeAll called meanwhile.
  bool waitTurn(const std::string& origin, const std::atomic<bool>& cancelled);
  // The origin's own delay (Crawl-delay) where it is longer than the scan's.
  void setCrawlDelay(const std::string& origin, std::chrono::milliseconds delay);
  // No request to the origin before `pause` has passed.
  void backOff(const std::string& origin, std::chrono::milliseconds pause);
  // Wakes every wait, so that a cancelled one returns.
  void wakeAll();

 private:
  struct Turns {
    Clock::time_point next{};
    std::chrono::milliseconds delay{0};
  };
  Turns& turns(const std::string& origin);

  const std::chrono::milliseconds delay_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::string, Turns, std::less<>> origins_;
};

}  // namespace korvex
