// The results of a scan as the command line prints them and the window saves them: for people
// (text), spreadsheets (csv) and programs (json).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "crawl/scan_results.h"

namespace korvex {

// JSON is one object written at the end; text, CSV and JSON lines are rows that can go out as
// their addresses are found.
enum class Format { Text, Csv, Json, JsonLines };

// The whole output, row by row from the scan's own lists, so a large result is never held
// twice. `ending` is how the scan ended ("finished", "stopped"), for JSON lines' last line.
void writeResults(std::ostream& out, const ScanResults& results, Format format,
                  std::string_view ending = "finished");
// The parts of a streamed output: what comes before the first row (CSV's heading), one row, and
// what follows the last (JSON lines' counters, refused URLs and ending).
// With the domains checked, CSV has a DNS column and JSON a "dns" field with each answer.
void writeHeading(std::ostream& out, Format format, bool dns = false);
void writeRow(std::ostream& out, const FoundAddress& found, Format format,
              const std::optional<std::string>& dns = std::nullopt);
void writeTrailer(std::ostream& out, const ScanResults& results, Format format,
                  std::string_view ending);

// A CSV field: quoted, inner quotes doubled.
std::string csvField(const std::string& text);

// Writes a JSON string, invalid UTF-8 replaced by U+FFFD.
struct JsonText {
  std::string_view text;
};
std::ostream& operator<<(std::ostream& out, JsonText json);
inline JsonText jsonText(std::string_view text) {
  return {text};
}

}  // namespace korvex
