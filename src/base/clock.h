// The local clock the per-page time limit is measured on; tests replace it.
#pragma once

#include <chrono>

namespace korvex {

class Clock {
 public:
  using TimePoint = std::chrono::system_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint now() const = 0;
};

class SystemClock final : public Clock {
 public:
  TimePoint now() const override { return std::chrono::system_clock::now(); }
};

const Clock& systemClock();

}  // namespace korvex
