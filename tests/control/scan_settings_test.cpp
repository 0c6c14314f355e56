#include "control/scan_settings.h"

#include <gtest/gtest.h>

#include "control/field_checks.h"
#include "support/memory_window.h"

namespace korvex {
namespace {

// Each value goes through the table: its row's check, in the window and on the command line.
TEST(ScanSettings, RefusedValues) {
  const std::string delay = "The delay per host is a whole number of milliseconds from 0 to 60000.";
  const std::string agent = "The user agent cannot hold line breaks or other control characters.";
  const struct {
    Setting setting;
    std::string typed;
    std::optional<std::string> message;
  } cases[] = {
      {Setting::Depth, "20", std::nullopt},
      {Setting::Depth, "21", "Please select the search depth level."},
      {Setting::Depth, "", "Please select the search depth level."},
      {Setting::Depth, "1.5", "Please select the search depth level."},
      {Setting::Threads, "1.5", "Please select the number of threads."},
      {Setting::Threads, "10", std::nullopt},
      {Setting::Threads, "0", "Please select the number of threads."},
      {Setting::Threads, "1e9", "Please select the number of threads."},
      {Setting::MaxPages, "abc", "Please enter the number"},
      {Setting::MaxPages, "2.5", "No. of pages should be an integer"},
      {Setting::MaxPages, " 100000 ", std::nullopt},
      {Setting::MaxPages, "100001", "No. of pages cannot be greater than 100000"},
      {Setting::DelayPerHost, "60000", std::nullopt},
      {Setting::DelayPerHost, "60001", delay},
      {Setting::DelayPerHost, "-1", delay},
      {Setting::MaxTime, "1440", std::nullopt},
      {Setting::MaxTime, "1441", "Time per page cannot be greater than 1440 minutes"},
      {Setting::MaxTime, "1e999", "Time per page cannot be greater than 1440 minutes"},
      {Setting::MaxTime, "0", "Time per page should be greater than zero"},
      {Setting::Delimiter, "   ", "Delimiter cannot be blank."},
      {Setting::Delimiter, " , ", std::nullopt},
      {Setting::Delimiter, "x;", "Delimiter cannot be a-z, A-Z, 0-9"},
      {Setting::Delimiter, ".", "Delimiter cannot be . symbol"},
      {Setting::Delimiter, "\xe9", std::nullopt},
      {Setting::UserAgent, "", std::nullopt},
      {Setting::UserAgent, "x\r\nX-Injected: yes", agent},
      {Setting::UserAgent, std::string("x\0y", 3), agent},
  };
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

TEST(ScanSettings, BaseUrlSchemes) {
  const std::string refused = "Only http and https URLs can be scanned.";
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"file:///etc/passwd", refused},     {"ftp://example.com/", refused},
      {"gopher://example.com/", refused},  {"javascript:alert(1)", refused},
      {"data:text/html,x", refused},       {"mailto:ann@example.com", refused},
      {"localhost:8080/", std::nullopt},   {"www.example.com:8080", std::nullopt},
      {"example.com/a", std::nullopt},     {" HTTPS://example.com", std::nullopt},
      {"http://example.com", std::nullopt}};
  for (const auto& [typed, message] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(checkBaseUrl(typed), message);
  }
}

// The window's controls and the scan's copy are made from the same values.
TEST(ScanSettings, WindowAndCrawlCopy) {
  MemoryWindow window;
  SettingValues typed;
  typed[Setting::Depth] = "3";
  typed[Setting::Threads] = "2.5";
  typed[Setting::UrlMust] = " A \r\n\r\nb";
  typed[Setting::PagesAll] = "1";
  typed[Setting::ObeyRobots] = "0";
  typed[Setting::DelayPerHost] = "250";
  typed[Setting::MaxTime] = "0.5";
  typed[Setting::UserAgent] = "  ";
  showSettings(typed, window);
  EXPECT_TRUE(window.option(Option::OptPagesAll));
  const CrawlSettings crawl = crawlSettingsFrom(settingsFromWindow(window));
  EXPECT_EQ(crawl.maxDepth, 4);
  EXPECT_EQ(crawl.threads, 2) << "a half goes to the even neighbour";
  EXPECT_EQ(crawl.maxPages, 10000);
  EXPECT_EQ(crawl.delayMs, 250);
  EXPECT_FALSE(crawl.obeyRobots);
  EXPECT_EQ(crawl.page.urlMust, "A \r\n\r\nb");
  EXPECT_TRUE(crawl.page.optUrlAny && !crawl.page.optUrlAll);
  EXPECT_TRUE(crawl.page.optPagesAll && !crawl.page.optPagesAny);
  EXPECT_EQ(crawl.page.maxTime, 0.5);
  EXPECT_EQ(crawl.page.agent, kAgent) << "a blank agent is the default one";
}

}  // namespace
}  // namespace korvex
