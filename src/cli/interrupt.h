// Ctrl-C for a running scan: the first one asks the scan to stop (what was collected is still
// printed and written); a second one leaves at once.
#pragma once

#include <memory>

#include "base/wakeup.h"

namespace korvex::cli {

// Installs the SIGINT handler; each Ctrl-C also wakes the host's wait through `wakeup`.
void watchInterrupts(std::shared_ptr<const Wakeup> wakeup);
bool stopRequested();

}  // namespace korvex::cli
