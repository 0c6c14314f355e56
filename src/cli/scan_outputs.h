// What a scan writes when it is over, from its results: standard output in the chosen format,
// the address file, and the lines on stderr that tell what went wrong. The scan, its resumption
// and a journal's export all write through it.
#pragma once

#include <map>
#include <string>

#include "cli/output.h"
#include "session/scan.h"

namespace korvex::cli {

inline constexpr int kExitCannotOpen = 1;
inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitNotConnected = 3;
inline constexpr int kExitCannotWrite = 4;

// Prints "korvex-cli: TEXT" on stderr.
void complain(std::string_view text);

struct OutputOptions {
  Format format = Format::Text;
  std::string output;     // the address file, or ""
  std::string delimiter;  // after each address in it
  bool quiet = false;     // no progress line, no journal line
};

// The names --format takes.
const std::map<std::string, Format>& formatNames();

std::string progressLine(const ScanCounters& counters);
// Whether the format's rows go out as they are found.
bool streamed(Format format);
// Writes the results to standard output (what rows did not stream, and what follows them) and
// the address file: 0, or kExitCannotWrite. `ending` is how the scan ended.
int writeResults(const ScanResults& results, const OutputOptions& options, bool rowsStreamed,
                 std::string_view ending);

}  // namespace korvex::cli
