// Text conventions shared by the whole engine: trimming, ASCII case folding,
// case-insensitive search and splitting. Positions are 0-based; npos means "not found".
#pragma once

#include <cstdint>
#include <cstring>
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

// Eight bytes at a time, each ASCII capital letter made small (SWAR: the high bit of each byte
// tells whether it lies in 'A'..'Z').
inline uint64_t lowerWord(uint64_t x) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  const uint64_t low7 = x & (0x7F * kOnes);
  const uint64_t aboveZ = low7 + (0x7F - 'Z') * kOnes;
  const uint64_t fromA = low7 + (0x80 - 'A') * kOnes;
  const uint64_t upper = ~x & (fromA ^ aboveZ) & (0x80 * kOnes);
  return x | (upper >> 2);
}

inline uint64_t loadWord(const char* p) {
  uint64_t x;
  std::memcpy(&x, p, sizeof x);
  return x;
}

// Inline: the link scan compares a few short texts per link.
inline bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  for (; i + 8 <= a.size(); i += 8)
    if (lowerWord(loadWord(a.data() + i)) != lowerWord(loadWord(b.data() + i))) return false;
  for (; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

inline bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

// First of the given characters at `from` or later: a plain scan, where find_first_of would
// call memchr over the set once per byte of the text.
template <char... Cs>
size_t findFirstOf(std::string_view text, size_t from = 0) {
  for (size_t i = from; i < text.size(); ++i)
    if (((text[i] == Cs) || ...)) return i;
  return std::string_view::npos;
}

// First occurrence of needle starting at `from` or later, ignoring ASCII case.
size_t findNoCase(std::string_view text, std::string_view needle, size_t from = 0);
inline bool containsNoCase(std::string_view text, std::string_view needle) {
  return findNoCase(text, needle) != std::string_view::npos;
}

// Successive searches for one needle in one text, ignoring ASCII case, in linear time overall:
// each search must start at or after the one before, where a search has already looked is not
// looked at again, and a search that failed is remembered.
class NoCaseFinder {
 public:
  NoCaseFinder(std::string_view text, std::string_view needle);
  // First occurrence starting at `from` or later; npos when none.
  size_t next(size_t from);
  // The same text grown at its end (it may have moved): what was found stays valid.
  void rebind(std::string_view longerText);

 private:
  struct Cached {
    size_t searchedFrom = std::string_view::npos;  // npos: nothing cached
    size_t at = std::string_view::npos;            // next occurrence from there, or npos
  };
  size_t nextOf(char c, Cached& cache, size_t from) const;
  // The anchor byte followed by the needle's next character in either case, eight bytes a
  // step: a frequent anchor ("<" of "<frame") costs no call per occurrence.
  size_t nextPair(size_t from);

  std::string_view text_;
  std::string_view needle_;
  // Candidates are found by the needle's first byte that has no case (the "=" of "href="):
  // one memchr stream over bytes that are rarer than letters. A needle of letters only is
  // found by its first letter, in both cases.
  size_t anchor_ = 0;
  char lower_ = 0;
  char upper_ = 0;
  char follow_ = 0;  // the needle's character after the anchor, small; 0 when none
  Cached pairAt_;
  Cached lowerAt_;
  Cached upperAt_;
  size_t failedFrom_ = std::string_view::npos;
};

// A hash of the text eight bytes a step (the last step overlapping the one before); with
// FoldCase, ASCII capitals hash as small letters.
template <bool FoldCase>
uint64_t hashText(std::string_view text) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
  auto mix = [&h](uint64_t word) {
    h = (h ^ (FoldCase ? lowerWord(word) : word)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 29;
  };
  if (text.size() >= 8) {
    for (size_t i = 0; i + 8 <= text.size(); i += 8) mix(loadWord(text.data() + i));
    if (text.size() % 8 != 0) mix(loadWord(text.data() + text.size() - 8));
  } else {
    uint64_t last = 0;
    for (char c : text) last = (last << 8) | static_cast<unsigned char>(c);
    mix(last);
  }
  return h * 0xC4CEB9FE1A85EC53ull;
}

// Hashing and comparing that ignore ASCII case, for containers of texts (lookups with a
// string_view need no copy).
struct NoCaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return hashText<true>(text); }
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return equalsNoCase(a, b); }
};

// A byte written as two capital hex digits after `prefix`: "%E9" in a URL, "\\xE9" in a message.
void appendEscapedByte(std::string& out, unsigned char byte, std::string_view prefix = "%");
// Whether the text holds a C0 control character or DEL: none may reach a header or a terminal.
bool hasControlCharacter(std::string_view text);

// The length of the valid UTF-8 sequence at `at` (overlong forms, surrogates and code points past
// U+10FFFF refused), or 0 when none begins there.
size_t utf8Length(std::string_view text, size_t at);

// Splits at every occurrence of sep (exact match). An empty text gives no entries;
// otherwise every piece is kept, empty ones included.
std::vector<std::string> split(std::string_view text, std::string_view sep);

// Removes every occurrence of each of the given characters.
std::string removeChars(std::string_view text, std::string_view chars);
// Replaces every occurrence of `from` (exact match) by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// The domain of an address, lowered; empty when it has none that DNS could be asked about.
std::string domainOf(std::string_view address);

}  // namespace korvex
