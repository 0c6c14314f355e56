// Checks of single fields, shared by the window (when a field is left) and the command line.
// Each returns the message to show, or nothing when the value is accepted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// The delimiter is checked without its surrounding blanks, which it loses when used.
std::optional<std::string> checkDelimiter(std::string_view text);
std::optional<std::string> checkPageLimit(std::string_view text);
// The depth list offers 1 to 20 levels, the thread list 1 to 10 workers.
inline constexpr int kMaxDepth = 20;
inline constexpr int kMaxThreads = 10;
std::optional<std::string> checkDepth(std::string_view text);
std::optional<std::string> checkThreads(std::string_view text);
// Milliseconds between two requests to one site: a whole number up to kMaxDelayPerHost.
inline constexpr int kMaxDelayPerHost = 60000;
std::optional<std::string> checkDelayPerHost(std::string_view text);
// Minutes allowed to read one page: above 0, at most a day.
inline constexpr double kMaxMinutesPerPage = 1440;
std::optional<std::string> checkMaxTime(std::string_view text);
// The agent string goes into a request header: no control character.
std::optional<std::string> checkUserAgent(std::string_view text);
// A base URL in URL mode: refused when it begins with a scheme other than http and https (a
// name and a ":" not followed by a port number); a value without a scheme is accepted, as it
// gets "http://" in front.
std::optional<std::string> checkBaseUrl(std::string_view text);
// An http or https URL with a host, as libcurl reads it.
bool isWebUrl(const std::string& url);
// A --resolve entry: HOST:PORT:ADDRESS, the port a number from 1 to 65535, the address an IPv4
// or IPv6 address (several separated by commas, as curl takes them).
std::optional<std::string> checkResolve(std::string_view entry);
// Start's check of the search field: the base URL in URL mode, the keywords otherwise.
std::optional<std::string> checkSearchText(bool urlMode, std::string_view text);

// Why an --dns-server value cannot be used: ADDRESS or ADDRESS:PORT, an IPv6 address in
// brackets when it has a port.
std::optional<std::string> checkDnsServer(std::string_view server);

}  // namespace korvex
