// A scan, new or resumed, under the command line: Ctrl-C stops it, a progress line follows it,
// its journal keeps it, and its outputs are written when it is over.
#pragma once

#include "cli/scan_outputs.h"
#include "journal/journal.h"
#include "session/scan.h"

namespace korvex::cli {

// The exit status; the journal, when there is one, is ended as the scan ended.
int runScan(const ScanRequest& request, const EngineProfile& profile, const OutputOptions& options,
            Journal* journal, const ScanProgress* resumed);

}  // namespace korvex::cli
