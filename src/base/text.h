// Text conventions shared by the whole engine: trimming, ASCII case folding,
// case-insensitive search and splitting. Positions are 0-based; npos means "not found".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

inline constexpr char kCrLf[] = "\r\n";

// Removes leading and trailing spaces (character 32) only; tabs and line breaks stay.
std::string_view trimSpaces(std::string_view text);
std::string trimmed(std::string_view text);

inline char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string asciiLowerCopy(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// First occurrence of needle starting at `from` or later, ignoring ASCII case.
size_t findNoCase(std::string_view text, std::string_view needle, size_t from = 0);
inline bool containsNoCase(std::string_view text, std::string_view needle) {
  return findNoCase(text, needle) != std::string_view::npos;
}

// Splits at every occurrence of sep (exact match). An empty text gives no entries;
// otherwise every piece is kept, empty ones included.
std::vector<std::string> split(std::string_view text, std::string_view sep);

// Removes every occurrence of each of the given characters.
std::string removeChars(std::string_view text, std::string_view chars);
// Replaces every occurrence of `from` (exact match) by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace korvex
