// Saving a scan's results to a file: as text (every address followed by the delimiter), or as
// the command line's CSV or JSON.
#pragma once

#include <optional>
#include <string>

#include "output/result_formats.h"

namespace korvex {

struct SaveOutcome {
  std::optional<std::string> message;  // set when nothing was written
  std::string path;                    // the file written
};

// The file a name means: a name whose last part has no "." and at which nothing exists yet gets
// the format's extension (".txt", ".csv", ".json", ".jsonl").
std::string savedPath(const std::string& fileName, Format format);

// Writes the results to the file `savedPath` names. A regular file is replaced whole (or written
// in place when its folder takes no temporary file); a device or FIFO is written as it is. The
// delimiter is used trimmed of spaces; no line end follows the last one.
SaveOutcome saveResults(const std::string& fileName, const ScanResults& results, Format format,
                        const std::string& delimiter);

}  // namespace korvex
