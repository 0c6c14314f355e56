// Small stand-ins shared by the tests.
#pragma once

#include <chrono>

#include "base/clock.h"

namespace korvex::test {

// The real clock moved by a fixed offset, so a test can start a read at a chosen second of a
// minute and still let real time run.
class OffsetClock final : public Clock {
 public:
  explicit OffsetClock(std::chrono::milliseconds offset = {}) : offset_(offset) {}
  TimePoint now() const override { return std::chrono::system_clock::now() + offset_; }
  // An offset that puts now() `secondsIntoMinute` seconds after a minute boundary.
  static OffsetClock atSecond(double secondsIntoMinute);

 private:
  std::chrono::milliseconds offset_;
};

}  // namespace korvex::test
