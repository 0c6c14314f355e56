// Ctrl-C, SIGTERM and SIGHUP for a running scan: the first asks the scan to stop (what was
// collected is still printed and written, the journal stays resumable); a second of any of them
// leaves at once.
#pragma once

#include <memory>

#include "base/wakeup.h"

namespace korvex::cli {

// Installs the handlers; each signal also wakes the host's wait through `wakeup`.
void watchInterrupts(std::shared_ptr<const Wakeup> wakeup);
bool stopRequested();

}  // namespace korvex::cli
