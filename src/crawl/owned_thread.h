// A thread that its owner joins when it goes, so that nothing of a scan still runs (inside libcurl
// or the TLS library) once the scan has ended or the program leaves.
#pragma once

#include <pthread.h>

#include <chrono>
#include <future>
#include <thread>
#include <utility>

namespace korvex {

// How long an owner waits for its thread: a cancelled read ends at its next chunk, and at least
// once a second while nothing arrives. A thread stuck past it is left to end on its own rather
// than hold the window.
inline constexpr std::chrono::seconds kJoinWait{5};

class OwnedThread {
 public:
  // `name` (at most 15 characters) is what ps and top show for the thread.
  template <typename Body>
  OwnedThread(const char* name, Body&& body) {
    std::packaged_task<void()> task(std::forward<Body>(body));
    done_ = task.get_future();
    thread_ = std::thread(std::move(task));
    pthread_setname_np(thread_.native_handle(), name);
  }
  OwnedThread(OwnedThread&&) = default;
  // Its body has returned: joining it now costs nothing.
  bool finished() const {
    return done_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  }
  OwnedThread& operator=(OwnedThread&&) = delete;
  ~OwnedThread() {
    if (!thread_.joinable()) return;
    if (done_.wait_for(kJoinWait) == std::future_status::ready) {
      thread_.join();
    } else {
      thread_.detach();
    }
  }

 private:
  std::future<void> done_;
  std::thread thread_;
};

}  // namespace korvex
