// Every setting of a scan, declared once: its control in the window, its command-line flag, its
// default, its check and its help lines. The window's defaults, checks and help line, the command
// line's flags and the settings the scan runs with are all made from this table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "crawl/crawl_settings.h"
#include "settings/window_fields.h"

namespace korvex {

enum class Setting {
  Depth,
  MaxPages,
  MaxTime,
  Threads,
  UrlMust,
  UrlMustNot,
  UrlAll,
  PagesMust,
  PagesMustNot,
  PagesAll,
  ObeyRobots,
  DelayPerHost,
  UserAgent,
  Scope,
  Sitemaps,
  CheckDomains,
  Documents,
  Delimiter,
};
inline constexpr size_t kSettingCount = static_cast<size_t>(Setting::Delimiter) + 1;

enum class SettingKind {
  Text,      // one value in a field
  Keywords,  // a box of keywords, one per line; a repeatable flag
  Switch,    // an option, "1" when selected; its flag sets the value `flagSets`
};

// The message that refuses a value, or nothing when it is accepted.
using SettingCheck = std::optional<std::string> (*)(std::string_view);

struct SettingRow {
  Setting setting;
  SettingKind kind;
  std::string_view key;             // a journal's name for it, which no renaming changes
  std::string_view control;         // the window's name of the control
  Field field = Field::txtBaseURL;  // Text and Keywords
  Option option = Option::optURL;   // Switch
  std::string_view defaultValue = "";
  SettingCheck check = nullptr;  // every value is taken
  std::string_view helpLine = "";
  std::string_view flag;
  std::string_view flagHelp;
  std::string_view flagSets = "1";
  // A flag's words for the values of a list ("host" for "this host"); empty: the value itself.
  std::span<const std::pair<std::string_view, std::string_view>> flagWords = {};
  bool usedByScan = true;  // false for what only saving the results uses
};

std::span<const SettingRow> settingTable();
const SettingRow& rowOf(Setting setting);

// The values of every setting as their controls hold them: text, one keyword per line, or "1"
// and "0" for a switch.
class SettingValues {
 public:
  SettingValues();  // the defaults
  const std::string& operator[](Setting s) const { return values_[static_cast<size_t>(s)]; }
  std::string& operator[](Setting s) { return values_[static_cast<size_t>(s)]; }

 private:
  std::array<std::string, kSettingCount> values_;
};

struct SettingRefusal {
  Setting setting;
  std::string message;
};
// The first value, in the table's order, that its check refuses.
std::optional<SettingRefusal> firstRefusal(const SettingValues& values, bool scanOnly);

// The crawl's immutable copy: numbers read, the depth bound made, the keyword lists split.
CrawlSettings crawlSettingsFrom(const SettingValues& values);

}  // namespace korvex
