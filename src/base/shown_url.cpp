#include "base/shown_url.h"

#include <algorithm>

namespace korvex {
namespace {

// The length of the UTF-8 sequence at `at` (overlong forms, surrogates and code points past
// U+10FFFF refused), or 0 when it is none.
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

// A byte that begins no valid UTF-8 sequence percent-encoded, as a browser sends it.
std::string validUtf8(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (size_t i = 0; i < url.size();) {
    if (const size_t n = utf8Length(url, i)) {
      out.append(url, i, n);
      i += n;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto c = static_cast<unsigned char>(url[i++]);
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

}  // namespace

std::string shownUrl(std::string_view url) {
  const size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return validUtf8(url);
  const size_t from = scheme + 3;
  const std::string_view authority =
      url.substr(from, std::min(url.find_first_of("/?#", from), url.size()) - from);
  const size_t at = authority.rfind('@');
  const size_t colon = authority.find(':');
  if (at == std::string_view::npos || colon > at) return validUtf8(url);
  std::string shown(url.substr(0, from + colon + 1));
  return validUtf8(shown.append("***").append(url.substr(from + at)));
}

std::string shownValue(std::string_view value, size_t most) {
  const std::string masked = shownUrl(value.substr(0, std::min(value.size(), most * 2)));
  // shownUrl has percent-encoded the bytes that are not UTF-8; control characters remain.
  std::string out;
  for (size_t i = 0; i < masked.size() && out.size() < most;) {
    const auto c = static_cast<unsigned char>(masked[i]);
    const size_t n = utf8Length(masked, i);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
      ++i;
    } else {
      out.append(masked, i, n);
      i += n;
    }
  }
  if (out.size() >= most || masked.size() < value.size()) out += "...";
  return out;
}

}  // namespace korvex
