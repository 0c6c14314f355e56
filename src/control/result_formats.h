// The results of a scan as the command line prints them and the window saves them: for people
// (text), spreadsheets (csv) and programs (json).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "crawl/scan_results.h"

namespace korvex {

enum class Format { Text, Csv, Json };

// Text: one address a line. Streamed row by row from the scan's own lists, so a large result is
// never held twice.
void writeResults(std::ostream& out, const ScanResults& results, Format format);

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
