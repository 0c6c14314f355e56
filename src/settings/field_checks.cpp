#include "settings/field_checks.h"

#include <arpa/inet.h>

#include <cmath>

#include "base/number.h"
#include "base/text.h"
#include "page/url_normalize.h"
#include "page/url_origin.h"

namespace korvex {

std::optional<std::string> checkDelimiter(std::string_view text) {
  const std::string_view delimiter = trimSpaces(text);
  if (delimiter.empty()) return "Delimiter cannot be blank.";
  for (char c : delimiter) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
      return "Delimiter cannot be a-z, A-Z, 0-9";
    if (c == '@') return "Delimiter cannot be @ symbol";
    if (c == '.') return "Delimiter cannot be . symbol";
  }
  return std::nullopt;
}

std::optional<std::string> checkPageLimit(std::string_view text) {
  if (!isNumeric(text)) return "Please enter the number";
  const double n = val(text);
  if (n != std::floor(n)) return "No. of pages should be an integer";
  if (n <= 0) return "No. of pages should be greater than zero";
  if (n > 100000) return "No. of pages cannot be greater than 100000";
  return std::nullopt;
}

namespace {

// A whole number from 1 to `most`: the lists offer no fractions to round.
bool inList(std::string_view text, int most) {
  const double n = isNumeric(text) ? val(text) : 0;
  return n == std::floor(n) && n >= 1 && n <= most;
}

}  // namespace

std::optional<std::string> checkDepth(std::string_view text) {
  if (!inList(text, kMaxDepth)) return "Please select the search depth level.";
  return std::nullopt;
}

std::optional<std::string> checkThreads(std::string_view text) {
  // Without a worker the crawl would wait for an idle one for ever; a typed count beyond the
  // list would make as many threads as it says.
  if (!inList(text, kMaxThreads)) return "Please select the number of threads.";
  return std::nullopt;
}

std::optional<std::string> checkDelayPerHost(std::string_view text) {
  const double n = isNumeric(text) ? val(text) : -1;
  if (n < 0 || n > kMaxDelayPerHost || n != std::floor(n))
    return "The delay per host is a whole number of milliseconds from 0 to 60000.";
  return std::nullopt;
}

std::optional<std::string> checkMaxTime(std::string_view text) {
  if (!isNumeric(text)) return "Please enter the number";
  const double n = val(text);
  if (!(n > 0)) return "Time per page should be greater than zero";
  if (n > kMaxMinutesPerPage) return "Time per page cannot be greater than 1440 minutes";
  return std::nullopt;
}

std::optional<std::string> checkUserAgent(std::string_view text) {
  // A line break would end the header and let the rest be read as headers or requests.
  if (hasControlCharacter(text))
    return "The user agent cannot hold line breaks or other control characters.";
  return std::nullopt;
}

std::optional<std::string> checkBaseUrl(std::string_view text) {
  const std::string_view url = trimSpaces(text);
  const std::string_view scheme = schemeOf(url);
  if (scheme.empty() || equalsNoCase(scheme, "http") || equalsNoCase(scheme, "https"))
    return std::nullopt;
  // "localhost:8080/" and "www.example.com:8080" are hosts with a port.
  std::string_view rest = url.substr(scheme.size() + 1);
  const size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
  if (digits > 0 && (digits == rest.size() || rest.substr(digits).find_first_of("/?#") == 0))
    return std::nullopt;
  return "Only http and https URLs can be scanned.";
}

bool isWebUrl(const std::string& url) {
  return originOf(url).has_value();
}

namespace {

bool isAddress(int family, std::string_view text) {
  unsigned char bytes[sizeof(in6_addr)];
  return inet_pton(family, std::string(text).c_str(), bytes) == 1;
}

// An IPv4 or IPv6 address, the latter also in brackets.
bool isIpAddress(std::string_view text) {
  if (text.size() > 2 && text.front() == '[' && text.back() == ']')
    text = text.substr(1, text.size() - 2);
  return isAddress(AF_INET, text) || isAddress(AF_INET6, text);
}

// A port: a number from 1 to 65535, in digits only.
bool isPort(std::string_view text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos)
    return false;
  const double port = val(text);
  return port >= 1 && port <= 65535;
}

}  // namespace

std::optional<std::string> checkResolve(std::string_view entry) {
  const size_t first = entry.find(':');
  const size_t second = first == std::string_view::npos ? first : entry.find(':', first + 1);
  const std::string_view port =
      second == std::string_view::npos ? "" : entry.substr(first + 1, second - first - 1);
  bool addresses = second != std::string_view::npos && second + 1 < entry.size();
  for (const std::string& address : split(addresses ? entry.substr(second + 1) : "", ","))
    addresses = addresses && isIpAddress(address);
  if (first == 0 || !isPort(port) || !addresses)
    return "--resolve needs HOST:PORT:ADDRESS with an IP address, as example.com:443:127.0.0.1";
  return std::nullopt;
}

std::optional<std::string> checkSearchText(bool urlMode, std::string_view text) {
  if (trimSpaces(text).empty())
    return urlMode ? "Please enter the base URL or keyword by click on the Search Parameters tab.."
                   : "Please enter the search string";
  return urlMode ? checkBaseUrl(text) : std::nullopt;
}

std::optional<std::string> checkDnsServer(std::string_view server) {
  const std::string bad = "--dns-server needs ADDRESS or ADDRESS:PORT with an IP address";
  if (server.starts_with('[')) {
    const size_t close = server.find("]:");
    if (close == std::string_view::npos || !isAddress(AF_INET6, server.substr(1, close - 1)) ||
        !isPort(server.substr(close + 2)))
      return bad;
    return std::nullopt;
  }
  if (isAddress(AF_INET6, server)) return std::nullopt;
  const size_t colon = server.find(':');
  if (!isAddress(AF_INET, server.substr(0, colon))) return bad;
  if (colon != std::string_view::npos && !isPort(server.substr(colon + 1))) return bad;
  return std::nullopt;
}

}  // namespace korvex
