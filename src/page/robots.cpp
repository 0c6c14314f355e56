#include "page/robots.h"

#include <cmath>

#include "base/text.h"

namespace korvex {
namespace {

struct Line {
  std::string_view key;
  std::string_view value;
};

std::string_view trimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "key: value # comment", or nothing when the line has no ":".
std::optional<Line> splitLine(std::string_view line) {
  line = line.substr(0, line.find('#'));
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return Line{trimBlanks(line.substr(0, colon)), trimBlanks(line.substr(colon + 1))};
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// Paths and patterns are compared in one spelling: unreserved characters decoded, every other
// octet escape in upper case, octets outside ASCII escaped.
std::string comparable(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    int value = -1;
    if (c == '%' && i + 2 < path.size() && hexValue(path[i + 1]) >= 0 &&
        hexValue(path[i + 2]) >= 0) {
      value = hexValue(path[i + 1]) * 16 + hexValue(path[i + 2]);
      i += 2;
    } else if (c >= 0x80) {
      value = c;
    } else {
      out += static_cast<char>(c);
      continue;
    }
    if (unreserved(static_cast<unsigned char>(value))) {
      out += static_cast<char>(value);
    } else {
      out += '%';
      out += kHex[value >> 4];
      out += kHex[value & 15];
    }
  }
  return out;
}

bool namesProduct(std::string_view agent, std::string_view productToken) {
  const size_t end =
      agent.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_-");
  return equalsNoCase(agent.substr(0, end), productToken);
}

// "*" matches any run of characters, a final "$" the end of the path. The pieces between stars
// are found leftmost in turn, which finds a match whenever there is one.
bool patternMatches(std::string_view pattern, std::string_view path) {
  const bool anchored = pattern.ends_with('$');
  if (anchored) pattern.remove_suffix(1);
  size_t star = pattern.find('*');
  const std::string_view first = pattern.substr(0, star);
  if (!path.starts_with(first)) return false;
  if (star == std::string_view::npos) return !anchored || path.size() == first.size();
  size_t at = first.size();
  while (true) {
    const size_t next = pattern.find('*', star + 1);
    const std::string_view piece = pattern.substr(star + 1, next - star - 1);
    if (next == std::string_view::npos) {
      if (!anchored) return path.find(piece, at) != std::string_view::npos;
      return path.size() - at >= piece.size() && path.ends_with(piece);
    }
    const size_t found = path.find(piece, at);
    if (found == std::string_view::npos) return false;
    at = found + piece.size();
    star = next;
  }
}

}  // namespace

RobotsRules RobotsRules::parse(std::string_view text, std::string_view productToken) {
  text = text.substr(0, kMaxRobotsBytes);
  RobotsRules named, anyone;
  bool namedSeen = false;
  // The group being read: whether it names the product, or "*"; a user-agent line after a
  // rule line begins a new group.
  bool forProduct = false, forAnyone = false, inRules = true;
  for (size_t from = 0; from <= text.size();) {
    size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = text.size();
    const std::optional<Line> line = splitLine(text.substr(from, end - from));
    from = end + 1;
    if (!line) continue;
    if (equalsNoCase(line->key, "user-agent")) {
      if (inRules) forProduct = forAnyone = inRules = false;
      if (namesProduct(line->value, productToken)) forProduct = namedSeen = true;
      if (line->value == "*") forAnyone = true;
      continue;
    }
    const bool allow = equalsNoCase(line->key, "allow");
    const bool disallow = equalsNoCase(line->key, "disallow");
    const bool delay = equalsNoCase(line->key, "crawl-delay");
    if (!allow && !disallow && !delay) continue;  // sitemaps and unknown lines
    inRules = true;
    for (RobotsRules* r : {forProduct ? &named : nullptr, forAnyone ? &anyone : nullptr}) {
      if (!r) continue;
      if (delay) {
        const double seconds = std::strtod(std::string(line->value).c_str(), nullptr);
        if (std::isfinite(seconds) && seconds > 0 && !r->crawlDelay_)
          r->crawlDelay_ = std::chrono::milliseconds(std::llround(std::min(seconds, 1e6) * 1000));
      } else if (!line->value.empty()) {
        r->rules_.push_back({allow, comparable(line->value)});
      }
    }
  }
  return namedSeen ? named : anyone;
}

bool RobotsRules::allows(std::string_view pathAndQueryAsSpelled) const {
  const std::string pathAndQuery = comparable(pathAndQueryAsSpelled);
  if (pathAndQuery == "/robots.txt") return true;
  size_t longest = 0;
  bool allowed = true;
  for (const Rule& r : rules_) {
    const size_t length = r.pattern.size();
    if (length < longest || (length == longest && allowed) ||
        !patternMatches(r.pattern, pathAndQuery))
      continue;
    longest = length;
    allowed = r.allow;
  }
  return allowed;
}

}  // namespace korvex
