// Printing results for people (text), spreadsheets (csv) and programs (json).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace korvex::cli {

enum class Format { Text, Csv, Json };

// A CSV field: quoted, inner quotes doubled.
std::string csvField(const std::string& text);
// Called first thing: a standard descriptor that is closed gets /dev/null, so that no file or
// socket opened later takes its number and receives what was meant for it; a closed standard
// output is still reported as not writable.
void guardStandardDescriptors();

// Standard output for results: written straight to file descriptor 1 through a buffer of its
// own, so the reason of the first failed write is kept.
std::ostream& standardOutput();
// Flushes and closes standard output: why it could not be written, or nothing.
std::optional<std::string> closeStandardOutput();

// Writes a JSON string, invalid UTF-8 replaced by U+FFFD. Output is written item by item with
// it, straight to the stream, so a large result is never held twice.
struct JsonText {
  std::string_view text;
};
std::ostream& operator<<(std::ostream& out, JsonText json);
inline JsonText jsonText(std::string_view text) {
  return {text};
}

}  // namespace korvex::cli
