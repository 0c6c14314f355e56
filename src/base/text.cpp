#include "base/text.h"

#include <algorithm>
#include <cstdint>
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
    const size_t a = nextOf(lower_, lowerAt_, start);
    const size_t b = lower_ == upper_ ? kNone : nextOf(upper_, upperAt_, start);
    const size_t hit = std::min(a, b);
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
  for (Cached* c : {&lowerAt_, &upperAt_})
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

}  // namespace korvex
