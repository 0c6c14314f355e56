#include "base/wakeup.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace korvex {

Wakeup::Wakeup() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (fd_ < 0) throw std::runtime_error("eventfd failed");
}

Wakeup::~Wakeup() {
  close(fd_);
}

void Wakeup::notify() const {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(fd_, &one, sizeof one);
}

bool Wakeup::waitFor(std::chrono::milliseconds timeout) const {
  pollfd p{fd_, POLLIN, 0};
  int r;
  do {
    r = poll(&p, 1, static_cast<int>(timeout.count() < 0 ? -1 : timeout.count()));
  } while (r < 0 && errno == EINTR && timeout.count() < 0);
  if (r <= 0) return false;
  uint64_t count;
  [[maybe_unused]] const ssize_t n = read(fd_, &count, sizeof count);
  return true;
}

}  // namespace korvex
