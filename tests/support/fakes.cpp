#include "support/fakes.h"

namespace korvex::test {

OffsetClock OffsetClock::atSecond(double secondsIntoMinute) {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto intoMinute = duration_cast<milliseconds>(now - floor<minutes>(now));
  const auto wanted = milliseconds(static_cast<long long>(secondsIntoMinute * 1000));
  return OffsetClock(wanted - intoMinute);
}

}  // namespace korvex::test
