#include "base/shown_url.h"

#include <algorithm>

#include "base/text.h"

namespace korvex {
namespace {

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
    appendEscapedByte(out, static_cast<unsigned char>(url[i++]));
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
      appendEscapedByte(out, c, "\\x");
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
