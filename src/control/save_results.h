// Saving a scan's results to a file: as text (every address followed by the delimiter), or as
// the command line's CSV or JSON.
#pragma once

#include <optional>
#include <string>

#include "control/result_formats.h"

namespace korvex {

struct SaveOutcome {
  std::optional<std::string> message;  // set when nothing was written
  std::string path;                    // the file written
};

// A name without any "." gets ".txt", ".csv" or ".json"; an existing file is overwritten. The
// delimiter is used trimmed of spaces; no line end follows the last one.
SaveOutcome saveResults(const std::string& fileName, const ScanResults& results, Format format,
                        const std::string& delimiter);

}  // namespace korvex
