// The host of an engine off the main thread (a worker's): nobody to yield to, nothing to wait for.
#pragma once

#include <memory>

#include "base/host.h"

namespace korvex {

class NullHost final : public Host {
 public:
  NullHost() : wakeup_(std::make_shared<Wakeup>()) {}
  void yield() override {}
  void wait() override { wakeup_->waitFor(std::chrono::seconds(1)); }
  std::shared_ptr<const Wakeup> wakeup() const override { return wakeup_; }

 private:
  std::shared_ptr<Wakeup> wakeup_;
};

}  // namespace korvex
