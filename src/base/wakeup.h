// A wake-up call that any thread, and a signal handler, may send to the main thread.
#pragma once

#include <chrono>

namespace korvex {

class Wakeup {
 public:
  Wakeup();
  ~Wakeup();
  Wakeup(const Wakeup&) = delete;
  Wakeup& operator=(const Wakeup&) = delete;

  // Async-signal-safe: one write to an eventfd.
  void notify() const;
  // Sleeps until notified or the timeout passes; consumes pending notifications.
  // A negative timeout sleeps until notified.
  bool waitFor(std::chrono::milliseconds timeout) const;
  // Readable while a notification is pending, for event loops that watch descriptors.
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace korvex
