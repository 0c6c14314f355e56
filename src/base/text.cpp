#include "base/text.h"

#include <algorithm>
#include <cstring>

namespace korvex {

namespace {
constexpr size_t kNone = std::string_view::npos;
}  // namespace

std::string_view trimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string trimmed(std::string_view text) {
  return std::string(trimSpaces(text));
}

std::string asciiLowerCopy(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t findNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (from >= text.size() || needle.size() > text.size() - from) return std::string_view::npos;
  const char lower = asciiLower(needle[0]);
  const char upper = (lower >= 'a' && lower <= 'z') ? static_cast<char>(lower - 32) : lower;
  const std::string_view rest = needle.substr(1);
  const size_t last = text.size() - needle.size();
  // Jump between candidate first characters with memchr, the hot path on large pages. The next
  // position of each case is remembered, so each memchr pass covers the text once.
  auto next = [&](char c, size_t at) -> size_t {
    const void* hit = std::memchr(text.data() + at, c, last - at + 1);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : kNone;
  };
  size_t nextLower = next(lower, from);
  size_t nextUpper = lower == upper ? kNone : next(upper, from);
  while (true) {
    const size_t at = std::min(nextLower, nextUpper);
    if (at == kNone) return std::string_view::npos;
    if (equalsNoCase(text.substr(at + 1, rest.size()), rest)) return at;
    if (at == last) return std::string_view::npos;
    if (nextLower == at) nextLower = next(lower, at + 1);
    if (nextUpper == at) nextUpper = next(upper, at + 1);
  }
}

std::vector<std::string> split(std::string_view text, std::string_view sep) {
  std::vector<std::string> out;
  if (text.empty()) return out;
  size_t start = 0;
  for (size_t at; (at = text.find(sep, start)) != std::string_view::npos; start = at + sep.size())
    out.emplace_back(text.substr(start, at - start));
  out.emplace_back(text.substr(start));
  return out;
}

std::string removeChars(std::string_view text, std::string_view chars) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (chars.find(c) == std::string_view::npos) out += c;
  return out;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  size_t start = 0;
  for (size_t at; (at = text.find(from, start)) != std::string_view::npos;
       start = at + from.size()) {
    out.append(text.substr(start, at - start)).append(to);
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace korvex
