#include "settings/scan_settings.h"

#include <algorithm>

#include "base/number.h"
#include "base/text.h"
#include "settings/field_checks.h"

namespace korvex {
namespace {

using enum SettingKind;

constexpr std::pair<std::string_view, std::string_view> kScopes[] = {
    {"any", "any site"}, {"host", "this host"}, {"domain", "this site and its subdomains"}};

std::optional<std::string> checkScope(std::string_view text) {
  for (const auto& [word, shown] : kScopes)
    if (text == shown) return std::nullopt;
  return "Please select where the scan may go.";
}

constexpr SettingRow kTable[] = {
    {.setting = Setting::Depth,
     .kind = Text,
     .key = "depth",
     .control = "cboDepth",
     .field = Field::cboDepth,
     .defaultValue = "5",
     .check = checkDepth,
     .helpLine = "Select the search level depth",
     .flag = "--depth",
     .flagHelp = "Depth 1-20: levels 1 to depth+1 are crawled"},
    {.setting = Setting::MaxPages,
     .kind = Text,
     .key = "maxPages",
     .control = "txtNoOfPages",
     .field = Field::txtNoOfPages,
     .defaultValue = "10000",
     .check = checkPageLimit,
     .helpLine = "Enter the maximum number of pages to be processed",
     .flag = "--max-pages",
     .flagHelp = "Page limit 1-100000, on accepted pages"},
    {.setting = Setting::MaxTime,
     .kind = Text,
     .key = "maxTime",
     .control = "txtMaxTime",
     .field = Field::txtMaxTime,
     .defaultValue = "1",
     .check = checkMaxTime,
     .helpLine =
         "Enter the maximum time in minutes, the application can try for downloading a page",
     .flag = "--max-time",
     .flagHelp = "Minutes allowed to download one page (above 0, at most 1440)"},
    {.setting = Setting::Threads,
     .kind = Text,
     .key = "threads",
     .control = "cboThreads",
     .field = Field::cboThreads,
     .defaultValue = "5",
     .check = checkThreads,
     .flag = "--threads",
     .flagHelp = "Workers 1-10"},
    {.setting = Setting::UrlMust,
     .kind = Keywords,
     .key = "urlMust",
     .control = "txtURLMustKeyword",
     .field = Field::txtURLMustKeyword,
     .helpLine = "Enter the keywords one per each line which should appear in the URL",
     .flag = "--url-must",
     .flagHelp = "A URL must contain this keyword (repeatable)"},
    {.setting = Setting::UrlMustNot,
     .kind = Keywords,
     .key = "urlMustNot",
     .control = "txtURLMustNotKeyword",
     .field = Field::txtURLMustNotKeyword,
     .helpLine = "Enter the keywords one per each line which should not appear in the URL",
     .flag = "--url-must-not",
     .flagHelp = "A URL must not contain this (repeatable)"},
    {.setting = Setting::UrlAll,
     .kind = Switch,
     .key = "urlAll",
     .control = "OptURLAll",
     .option = Option::OptURLAll,
     .defaultValue = "0",
     .helpLine = "Select this option if the selected URL should contain all of the must keywords",
     .flag = "--url-all",
     .flagHelp = "URLs must contain all --url-must keywords, not any"},
    {.setting = Setting::PagesMust,
     .kind = Keywords,
     .key = "pageMust",
     .control = "txtPagesMustKeyword",
     .field = Field::txtPagesMustKeyword,
     .helpLine = "Enter the keywords one per each line which should appear in the retrieved page",
     .flag = "--page-must",
     .flagHelp = "A page must contain this keyword (repeatable)"},
    {.setting = Setting::PagesMustNot,
     .kind = Keywords,
     .key = "pageMustNot",
     .control = "txtPagesMustNotKeyword",
     .field = Field::txtPagesMustNotKeyword,
     .helpLine =
         "Enter the keywords one per each line which should not appear in the retrieved page",
     .flag = "--page-must-not",
     .flagHelp = "A page must not contain this (repeatable)"},
    {.setting = Setting::PagesAll,
     .kind = Switch,
     .key = "pageAll",
     .control = "OptPagesAll",
     .option = Option::OptPagesAll,
     .defaultValue = "0",
     .helpLine = "Select this option if the retrieved page should contain all of the must keywords",
     .flag = "--page-all",
     .flagHelp = "Pages must contain all --page-must keywords"},
    {.setting = Setting::ObeyRobots,
     .kind = Switch,
     .key = "obeyRobots",
     .control = "chkObeyRobots",
     .option = Option::chkObeyRobots,
     .defaultValue = "1",
     .helpLine = "Clear this option only to crawl your own sites without reading their robots.txt",
     .flag = "--ignore-robots",
     .flagHelp = "Read every page whatever robots.txt says (for crawling your own sites)",
     .flagSets = "0"},
    {.setting = Setting::DelayPerHost,
     .kind = Text,
     .key = "delayMs",
     .control = "txtDelayPerHost",
     .field = Field::txtDelayPerHost,
     .defaultValue = "0",
     .check = checkDelayPerHost,
     .helpLine = "Enter the time in milliseconds to wait between two requests to the same site",
     .flag = "--delay-ms",
     .flagHelp = "Milliseconds between two requests to one site, across all workers"},
    {.setting = Setting::UserAgent,
     .kind = Text,
     .key = "userAgent",
     .control = "txtUserAgent",
     .field = Field::txtUserAgent,
     .defaultValue = kAgent,
     .check = checkUserAgent,
     .helpLine = "Enter the name the application gives itself to the sites it reads",
     .flag = "--user-agent",
     .flagHelp = "The agent string sent with every request"},
    {.setting = Setting::Scope,
     .kind = Text,
     .key = "scope",
     .control = "cboScope",
     .field = Field::cboScope,
     .defaultValue = "any site",
     .check = checkScope,
     .helpLine = "Select whether the scan may follow links to any site, or stays on the hosts or "
                 "sites it starts from",
     .flag = "--scope",
     .flagHelp = "any, host (the start URLs' hosts) or domain (their sites, subdomains included)",
     .flagWords = kScopes},
    {.setting = Setting::Sitemaps,
     .kind = Switch,
     .key = "sitemaps",
     .control = "chkSitemaps",
     .option = Option::chkSitemaps,
     .defaultValue = "0",
     .helpLine = "Check this option to read the URLs the start site lists in its sitemaps",
     .flag = "--sitemaps",
     .flagHelp = "Also read the URLs the start site lists in its sitemaps (as links of its page)"},
    {.setting = Setting::CheckDomains,
     .kind = Switch,
     .key = "check-domains",
     .control = "chkCheckDomains",
     .option = Option::chkCheckDomains,
     .defaultValue = "0",
     .helpLine = "Check this option to ask DNS whether each address's domain can receive mail",
     .flag = "--check-domains",
     .flagHelp = "Ask DNS whether each address's domain takes mail: mail, no mail, host only, no "
                 "such domain or unknown (never a connection to a mail server)"},
    {.setting = Setting::Documents,
     .kind = Switch,
     .key = "documents",
     .control = "chkDocuments",
     .option = Option::chkDocuments,
     .defaultValue = "0",
     .helpLine = "Check this option to read the addresses and links of PDF and office files",
     .flag = "--documents",
     .flagHelp = "Also read PDF files and office files (.docx, .xlsx, .pptx, .odt, .ods, .odp): "
                 "their text and links, in a reader process of their own"},
    {.setting = Setting::Delimiter,
     .kind = Text,
     .key = "delimiter",
     .control = "txtDelimiter",
     .field = Field::txtDelimiter,
     .defaultValue = ";",
     .check = checkDelimiter,
     .flag = "--delimiter",
     .flagHelp = "Delimiter for --output",
     .usedByScan = false},
};

constexpr bool inSettingOrder() {
  for (size_t i = 0; i < std::size(kTable); ++i)
    if (static_cast<size_t>(kTable[i].setting) != i) return false;
  return std::size(kTable) == kSettingCount;
}
static_assert(inSettingOrder(), "one row per setting, in the order of Setting");

}  // namespace

std::span<const SettingRow> settingTable() {
  return kTable;
}

const SettingRow& rowOf(Setting setting) {
  return kTable[static_cast<size_t>(setting)];
}

SettingValues::SettingValues() {
  for (const SettingRow& s : kTable) (*this)[s.setting] = std::string(s.defaultValue);
}

std::optional<SettingRefusal> firstRefusal(const SettingValues& values, bool scanOnly) {
  for (const SettingRow& s : kTable) {
    if (!s.check || (scanOnly && !s.usedByScan)) continue;
    if (auto message = s.check(values[s.setting])) return SettingRefusal{s.setting, *message};
  }
  return std::nullopt;
}

CrawlSettings crawlSettingsFrom(const SettingValues& values) {
  auto number = [&](Setting s) { return val(values[s]); };
  auto on = [&](Setting s) { return values[s] == "1"; };
  // Whole numbers by their checks; clamped all the same, as a cast out of range is undefined.
  auto whole = [&](Setting s, int most) {
    return static_cast<int>(std::clamp(number(s), 0.0, static_cast<double>(most)));
  };
  CrawlSettings crawl{.maxDepth = whole(Setting::Depth, kMaxDepth) + 1,
                      .maxPages = number(Setting::MaxPages),
                      .threads = whole(Setting::Threads, kMaxThreads),
                      .delayMs = number(Setting::DelayPerHost),
                      .obeyRobots = on(Setting::ObeyRobots),
                      .page = {}};
  PageSettings& page = crawl.page;
  page.setKeywordBoxes(values[Setting::UrlMust], values[Setting::UrlMustNot],
                       values[Setting::PagesMust], values[Setting::PagesMustNot]);
  page.optUrlAll = on(Setting::UrlAll);
  page.optUrlAny = !page.optUrlAll;
  page.optPagesAll = on(Setting::PagesAll);
  page.optPagesAny = !page.optPagesAll;
  page.maxTime = number(Setting::MaxTime);
  crawl.scope = values[Setting::Scope] == kScopes[1].second   ? Scope::Host
                : values[Setting::Scope] == kScopes[2].second ? Scope::Domain
                                                              : Scope::Any;
  crawl.sitemaps = on(Setting::Sitemaps);
  crawl.checkDomains = on(Setting::CheckDomains);
  page.documents = on(Setting::Documents);
  // Read, PDF files are no longer left out; the binary office formats before 2007 are, which
  // would otherwise be read as text.
  if (page.documents)
    page.omitExtensions = replaceAll(page.omitExtensions, "*.pdf;", "") + "*.xls;*.ppt;";
  const std::string agent = trimmed(values[Setting::UserAgent]);
  page.agent = agent.empty() ? std::string(kAgent) : agent;
  return crawl;
}

}  // namespace korvex
