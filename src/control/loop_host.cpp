#include "control/loop_host.h"

#include <algorithm>

namespace korvex {
namespace {
// A wait sleeps at most this long even without a wake-up; a lost notification then costs a
// second, never a hang.
constexpr std::chrono::milliseconds kLongestSleep{1000};
}  // namespace

void LoopHost::after(std::chrono::milliseconds delay, Action action) {
  timers_.emplace(Clock::now() + delay, std::move(action));
}

void LoopHost::runDueTimers() {
  while (!timers_.empty() && timers_.begin()->first <= Clock::now()) {
    Action action = std::move(timers_.begin()->second);
    timers_.erase(timers_.begin());
    action();
  }
}

void LoopHost::yield() {
  runDueTimers();
  if (onTurn_) onTurn_();
}

void LoopHost::wait() {
  ++waits_;
  auto sleep = kLongestSleep;
  if (!timers_.empty()) {
    const auto untilTimer =
        std::chrono::ceil<std::chrono::milliseconds>(timers_.begin()->first - Clock::now());
    sleep = std::clamp(untilTimer, std::chrono::milliseconds{0}, kLongestSleep);
  }
  wakeup_->waitFor(sleep);
  yield();
}

}  // namespace korvex
