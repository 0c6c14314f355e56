// The turns of a crawl on its session's thread: where it takes its front end's requests, and
// how it sleeps while it waits.
#pragma once

#include <memory>

#include "base/wakeup.h"

namespace korvex {

class Host {
 public:
  virtual ~Host() = default;
  // Takes the requests that came (pause, stop) and returns at once.
  virtual void yield() = 0;
  // Sleeps until a worker finishes, a robots.txt is read or a request comes, then takes it.
  virtual void wait() = 0;
  // The wake-up that workers use to end wait(); shared so that a released worker may still
  // send it safely.
  virtual std::shared_ptr<const Wakeup> wakeup() const = 0;
};

}  // namespace korvex
