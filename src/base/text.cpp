#include "base/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

size_t findNoCase(std::string_view text, std::string_view needle, size_t from) {
  return NoCaseFinder(text, needle).next(from);
}

NoCaseFinder::NoCaseFinder(std::string_view text, std::string_view needle)
    : text_(text), needle_(needle) {
  if (needle_.empty()) return;
  for (size_t i = 0; i < needle_.size(); ++i) {
    const char c = asciiLower(needle_[i]);
    if (c < 'a' || c > 'z') {
      anchor_ = i;
      break;
    }
  }
  lower_ = asciiLower(needle_[anchor_]);
  upper_ = (lower_ >= 'a' && lower_ <= 'z') ? static_cast<char>(lower_ - 32) : lower_;
  if (lower_ == upper_ && anchor_ + 1 < needle_.size()) follow_ = asciiLower(needle_[anchor_ + 1]);
}

size_t NoCaseFinder::nextPair(size_t from) {
  Cached& cache = pairAt_;
  if (cache.searchedFrom != kNone && cache.searchedFrom <= from &&
      (cache.at == kNone || cache.at >= from))
    return cache.at;
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  const uint64_t anchors = kOnes * static_cast<unsigned char>(lower_);
  const uint64_t follows = kOnes * static_cast<unsigned char>(follow_);
  const char* p = text_.data();
  const size_t n = text_.size();
  size_t at = kNone;
  size_t i = from;
#ifdef __SSE2__
  // Sixteen bytes a step where the processor has it (every x86-64 does).
  const __m128i anchor16 = _mm_set1_epi8(lower_);
  const __m128i follow16 = _mm_set1_epi8(static_cast<char>(follow_ | 0x20));
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; at == kNone && i + 17 <= n; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
    // Folding with 0x20 also matches a few non-letters next to the anchor: next() checks.
    const int hits = _mm_movemask_epi8(_mm_and_si128(
        _mm_cmpeq_epi8(a, anchor16), _mm_cmpeq_epi8(_mm_or_si128(b, caseBit), follow16)));
    if (hits) at = i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(hits)));
  }
#endif
  // A byte of a word is zero where it matches; the lowest flag of both words is never past the
  // first true pair, and whatever it points at is checked whole by next().
  for (; at == kNone && std::endian::native == std::endian::little && i + 9 <= n; i += 8) {
    const uint64_t x = loadWord(p + i) ^ anchors;
    const uint64_t y = lowerWord(loadWord(p + i + 1)) ^ follows;
    const uint64_t hits = ((x - kOnes) & ~x & kHigh) & ((y - kOnes) & ~y & kHigh);
    if (hits) at = i + (std::countr_zero(hits) >> 3);
  }
  if (at == kNone)
    for (; i + 1 < n; ++i)
      if (p[i] == lower_ && asciiLower(p[i + 1]) == follow_) {
        at = i;
        break;
      }
  cache = {from, at};
  return at;
}

size_t NoCaseFinder::nextOf(char c, Cached& cache, size_t from) const {
  if (cache.searchedFrom != kNone && cache.searchedFrom <= from &&
      (cache.at == kNone || cache.at >= from))
    return cache.at;
  const void* hit =
      from < text_.size() ? std::memchr(text_.data() + from, c, text_.size() - from) : nullptr;
  cache = {from, hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data()) : kNone};
  return cache.at;
}

size_t NoCaseFinder::next(size_t from) {
  if (needle_.empty()) return from <= text_.size() ? from : kNone;
  if (failedFrom_ != kNone && failedFrom_ <= from) return kNone;
  for (size_t start = from + anchor_;;) {
    const size_t hit = follow_
                           ? nextPair(start)
                           : std::min(nextOf(lower_, lowerAt_, start),
                                      lower_ == upper_ ? kNone : nextOf(upper_, upperAt_, start));
    if (hit == kNone || needle_.size() - anchor_ > text_.size() - hit) {
      failedFrom_ = from;
      return kNone;
    }
    const size_t at = hit - anchor_;
    if (equalsNoCase(text_.substr(at, needle_.size()), needle_)) return at;
    start = hit + 1;
  }
}

void NoCaseFinder::rebind(std::string_view longerText) {
  text_ = longerText;
  // Only "not found up to the old end" can change.
  for (Cached* c : {&lowerAt_, &upperAt_, &pairAt_})
    if (c->at == kNone) *c = {};
  failedFrom_ = kNone;
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

void appendEscapedByte(std::string& out, unsigned char byte, std::string_view prefix) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out.append(prefix);
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

bool hasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

size_t utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char c = byte(at);
  const size_t n = c < 0x80                 ? 1
                   : c >= 0xC2 && c <= 0xDF ? 2
                   : c >= 0xE0 && c <= 0xEF ? 3
                   : c >= 0xF0 && c <= 0xF4 ? 4
                                            : 0;
  if (n == 0 || at + n > text.size()) return 0;
  for (size_t i = 1; i < n; ++i)
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  if ((c == 0xE0 && byte(at + 1) < 0xA0) || (c == 0xED && byte(at + 1) > 0x9F) ||
      (c == 0xF0 && byte(at + 1) < 0x90) || (c == 0xF4 && byte(at + 1) > 0x8F))
    return 0;
  return n;
}

std::string domainOf(std::string_view address) {
  const size_t at = address.rfind('@');
  if (at == std::string_view::npos) return "";
  std::string domain = asciiLowerCopy(address.substr(at + 1));
  if (domain.empty() || domain.size() > 253 || domain.front() == '.' || domain.back() == '.' ||
      domain.find("..") != std::string::npos)
    return "";
  size_t label = 0;
  for (char c : domain) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    if (c == '.') {
      label = 0;
    } else if (!allowed || ++label > 63) {
      return "";
    }
  }
  return domain;
}

}  // namespace korvex
