// Printing results for people (text), spreadsheets (csv) and programs (json).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace korvex::cli {

enum class Format { Text, Csv, Json };

// A CSV field: quoted, inner quotes doubled.
std::string csvField(const std::string& text);
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
