#include "base/clock.h"

namespace korvex {

const Clock& systemClock() {
  static const SystemClock clock;
  return clock;
}

}  // namespace korvex
