// How the engine, running on the main thread, lets its front end breathe.
#pragma once

#include <memory>

#include "base/wakeup.h"

namespace korvex {

class Host {
 public:
  virtual ~Host() = default;
  // Handles what is pending (window events, signals, timers) and returns at once.
  virtual void yield() = 0;
  // Sleeps until a worker finishes, the user acts or a timer fires, then handles it.
  virtual void wait() = 0;
  // The wake-up that workers use to end wait(); shared so that a released worker may still
  // send it safely.
  virtual std::shared_ptr<const Wakeup> wakeup() const = 0;
};

}  // namespace korvex
