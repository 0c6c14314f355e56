// A host with a small event loop of its own: timers, a wake-up, and a hook that runs on every
// turn. The command line uses it (the hook handles Ctrl-C and the progress line); tests use its
// timers to press Pause and Stop in the middle of a scan.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "base/host.h"

namespace korvex {

class LoopHost final : public Host {
 public:
  using Action = std::function<void()>;
  using Clock = std::chrono::steady_clock;

  LoopHost() : wakeup_(std::make_shared<Wakeup>()) {}

  // Runs `action` on the first turn at least `delay` from now.
  void after(std::chrono::milliseconds delay, Action action);
  void setOnTurn(Action action) { onTurn_ = std::move(action); }

  void yield() override;
  void wait() override;
  std::shared_ptr<const Wakeup> wakeup() const override { return wakeup_; }
  long long waits() const { return waits_; }

 private:
  void runDueTimers();

  std::shared_ptr<Wakeup> wakeup_;
  std::multimap<Clock::time_point, Action> timers_;
  Action onTurn_;
  long long waits_ = 0;
};

}  // namespace korvex
