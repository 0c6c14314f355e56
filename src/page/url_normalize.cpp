#include "page/url_normalize.h"

#include <optional>

#include "base/text.h"

namespace korvex {
namespace {

bool isAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The reference starting at text[0] == '&': its code point and length, or nothing.
struct Reference {
  unsigned long codePoint;
  size_t length;
};

std::optional<Reference> referenceAt(std::string_view text) {
  static constexpr struct {
    std::string_view name;
    unsigned long codePoint;
  } kNamed[] = {{"&amp;", '&'},  {"&lt;", '<'},    {"&gt;", '>'},
                {"&quot;", '"'}, {"&apos;", '\''}, {"&nbsp;", 0xA0}};
  for (const auto& n : kNamed)
    if (startsWithNoCase(text, n.name)) return Reference{n.codePoint, n.name.size()};
  if (text.size() < 4 || text[1] != '#') return std::nullopt;
  const bool hex = text[2] == 'x' || text[2] == 'X';
  size_t i = hex ? 3 : 2;
  const size_t first = i;
  unsigned long cp = 0;
  // At most 7 digits: every code point fits, and a run of digits costs no more than its length.
  for (; i < text.size() && i - first < 7; ++i) {
    const char c = text[i];
    int d;
    if (isDigit(c)) {
      d = c - '0';
    } else if (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
      d = (c | 0x20) - 'a' + 10;
    } else {
      break;
    }
    cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
  }
  if (i == first || i >= text.size() || text[i] != ';') return std::nullopt;
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return Reference{cp, i + 1};
}

// RFC 3986, section 5.2.4, on a path.
std::string removeDotSegmentsFromPath(std::string_view in) {
  static constexpr std::string_view kSlash = "/";
  std::string out;
  out.reserve(in.size());
  auto popSegment = [&out] {
    const size_t slash = out.rfind('/');
    out.resize(slash == std::string::npos ? 0 : slash);
  };
  while (!in.empty()) {
    if (in.starts_with("../")) {
      in.remove_prefix(3);
    } else if (in.starts_with("./")) {
      in.remove_prefix(2);
    } else if (in.starts_with("/./")) {
      in.remove_prefix(2);
    } else if (in == "/.") {
      in = kSlash;
    } else if (in.starts_with("/../")) {
      in.remove_prefix(3);
      popSegment();
    } else if (in == "/..") {
      in = kSlash;
      popSegment();
    } else if (in == "." || in == "..") {
      in = {};
    } else {
      const size_t end = in.find('/', 1);
      const size_t length = end == std::string_view::npos ? in.size() : end;
      out.append(in.substr(0, length));
      in.remove_prefix(length);
    }
  }
  return out;
}

}  // namespace

void appendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void decodeCharacterReferences(std::string& text) {
  size_t write = 0;
  std::string code;
  for (size_t read = 0; read < text.size();) {
    const auto ref =
        text[read] == '&' ? referenceAt(std::string_view(text).substr(read)) : std::nullopt;
    if (!ref) {
      text[write++] = text[read++];
      continue;
    }
    code.clear();
    appendUtf8(code, ref->codePoint);
    read += ref->length;
    for (char c : code) text[write++] = c;  // never past `read`: code is the shorter
  }
  text.resize(write);
}

std::string_view schemeOf(std::string_view value) {
  if (value.empty() || !isAlpha(value[0])) return {};
  for (size_t i = 1; i < value.size(); ++i) {
    const char c = value[i];
    if (c == ':') return value.substr(0, i);
    if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

std::string removeDotSegments(std::string url) {
  const size_t scheme = url.find(':');
  if (scheme == std::string::npos || url.compare(scheme, 3, "://") != 0) return url;
  const size_t pathStart = findFirstOf<'/', '?', '#'>(url, scheme + 3);
  if (pathStart == std::string::npos || url[pathStart] != '/') return url;
  const size_t pathEnd = std::min(findFirstOf<'?', '#'>(url, pathStart), url.size());
  const std::string_view path = std::string_view(url).substr(pathStart, pathEnd - pathStart);
  bool dotSegment = false;  // a "/." somewhere: most paths have none
  for (size_t i = 1; i < path.size() && !dotSegment; ++i)
    dotSegment = path[i] == '.' && path[i - 1] == '/';
  if (!dotSegment) return url;
  return url.replace(pathStart, pathEnd - pathStart, removeDotSegmentsFromPath(path));
}

void percentEncodeForRequest(std::string& url) {
  auto needsEncoding = [](unsigned char c) {
    return c <= ' ' || c >= 0x7F || c == '"' || c == '<' || c == '>';
  };
  const size_t scheme = url.find("://");
  const size_t from = scheme == std::string::npos ? 0 : url.find_first_of("/?", scheme + 3);
  if (from == std::string::npos) return;
  size_t first = from;
  while (first < url.size() && !needsEncoding(static_cast<unsigned char>(url[first]))) ++first;
  if (first == url.size()) return;
  std::string out = url.substr(0, first);
  for (size_t i = first; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    if (needsEncoding(c))
      appendEscapedByte(out, c);
    else
      out += static_cast<char>(c);
  }
  url = std::move(out);
}

}  // namespace korvex
