#include "settings/scan_settings.h"

#include <gtest/gtest.h>

#include "settings/field_checks.h"

namespace korvex {
namespace {

// Each value goes through the table: its row's check, in the window and on the command line.
TEST(ScanSettings, RefusedValues) {
  const std::string delay = "The delay per host is a whole number of milliseconds from 0 to 60000.";
  const std::string agent = "The user agent cannot hold line breaks or other control characters.";
  const std::string depth = "Please select the search depth level.";
  const std::string threads = "Please select the number of threads.";
  const std::string tooLong = "Time per page cannot be greater than 1440 minutes";
  const std::optional<std::string> ok;
  using enum Setting;
  // clang-format off
  const struct {
    Setting setting;
    std::string typed;
    std::optional<std::string> message;
  } cases[] = {
      {Depth, "20", ok}, {Depth, "21", depth}, {Depth, "", depth}, {Depth, "1.5", depth},
      {Threads, "10", ok}, {Threads, "0", threads}, {Threads, "1e9", threads},
      {Threads, "1.5", threads}, {MaxPages, "abc", "Please enter the number"},
      {MaxPages, "12abc", "Please enter the number"}, {MaxPages, "&H10", ok},
      {MaxPages, " 100000 ", ok}, {MaxPages, "2.5", "No. of pages should be an integer"},
      {MaxPages, "100001", "No. of pages cannot be greater than 100000"},
      {DelayPerHost, "60000", ok}, {DelayPerHost, "60001", delay}, {DelayPerHost, "-1", delay},
      {MaxTime, "1440", ok}, {MaxTime, "1441", tooLong}, {MaxTime, "1e999", tooLong},
      {MaxTime, "0", "Time per page should be greater than zero"},
      {Delimiter, "   ", "Delimiter cannot be blank."}, {Delimiter, " , ", ok},
      {Delimiter, "x;", "Delimiter cannot be a-z, A-Z, 0-9"},
      {Delimiter, ".", "Delimiter cannot be . symbol"}, {Delimiter, "\xe9", ok},
      {UserAgent, "", ok}, {UserAgent, "x\r\nX-Injected: yes", agent},
      {UserAgent, std::string("x\0y", 3), agent}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(rowOf(c.setting).flag) + " [" + c.typed + "]");
    SettingValues values;
    values[c.setting] = c.typed;
    const auto refused = firstRefusal(values, false);
    EXPECT_EQ(refused ? std::optional(refused->message) : std::nullopt, c.message);
    EXPECT_EQ(refused ? refused->setting : c.setting, c.setting);
  }
  SettingValues badDelimiter;
  badDelimiter[Setting::Delimiter] = "a";
  EXPECT_FALSE(firstRefusal(badDelimiter, true)) << "the scan does not use the delimiter";
}

TEST(ScanSettings, BaseUrlSchemesResolveEntriesAndDnsServers) {
  const std::string refused = "Only http and https URLs can be scanned.";
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"ftp://example.com/", refused},        {"javascript:alert(1)", refused},
      {"mailto:ann@example.com", refused},    {"localhost:8080/", std::nullopt},
      {"www.example.com:8080", std::nullopt}, {" HTTPS://example.com", std::nullopt}};
  for (const auto& [typed, message] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(checkBaseUrl(typed), message);
  }
  for (const char* bad : {"x.test:0:127.0.0.1", "x.test:80:not-an-ip", "x.test:80:", ":80:::1"})
    EXPECT_TRUE(checkResolve(bad)) << bad;
  for (const char* good : {"x.test:80:127.0.0.1", "x.test:443:[::1]", "x.test:80:::1,10.0.0.1"})
    EXPECT_FALSE(checkResolve(good)) << good;
  for (const char* good : {"127.0.0.1", "127.0.0.1:5353", "::1", "[::1]:53"})
    EXPECT_EQ(checkDnsServer(good), std::nullopt) << good;
  for (const char* bad : {"localhost", "127.0.0.1:0", "127.0.0.1:99999", "1.2.3", "[::1]"})
    EXPECT_NE(checkDnsServer(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace korvex
