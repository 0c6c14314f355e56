#include "cli/scan_command.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "base/shown_url.h"
#include "base/text.h"
#include "cli/scan_runner.h"
#include "session/online_probe.h"
#include "settings/field_checks.h"
#include "settings/url_list.h"

namespace korvex::cli {
namespace {

// The checks the window makes of its fields, naming the flag.
std::optional<std::string> checkFields(const ScanOptions& o) {
  if (const auto refused = firstRefusal(o.settings, false))
    return std::string(rowOf(refused->setting).flag) + ": " + refused->message;
  return std::nullopt;
}

// The start URLs of --urls-from; a line that is not one is told and skipped. Nothing (and a
// message) when the file cannot be read or holds none.
std::optional<std::vector<std::string>> startList(const std::string& file) {
  // Bounded like a page: a list is read whole.
  constexpr size_t kMaxListBytes = 64u << 20;
  std::ifstream in;
  if (file != "-") in.open(file, std::ios::binary);
  std::istream& from = file == "-" ? std::cin : in;
  if (file != "-" && !in) {
    complain("--urls-from: cannot read " + shownValue(file) + ": " + std::strerror(errno));
    return std::nullopt;
  }
  std::string text;
  char chunk[65536];
  while (text.size() <= kMaxListBytes && from.read(chunk, sizeof chunk).gcount() > 0)
    text.append(chunk, static_cast<size_t>(from.gcount()));
  if (text.size() > kMaxListBytes) {
    complain("--urls-from: " + shownValue(file) + " holds more than 64 MiB, the most a list may");
    return std::nullopt;
  }
  const UrlList list = readUrlList(text);
  // A file that is no list at all (a binary one) is named, not echoed line by line.
  constexpr size_t kMaxProblemsShown = 20;
  for (size_t i = 0; i < std::min(list.problems.size(), kMaxProblemsShown); ++i)
    complain("--urls-from: " + list.problems[i]);
  if (list.problems.size() > kMaxProblemsShown)
    complain("--urls-from: and " + std::to_string(list.problems.size() - kMaxProblemsShown) +
             " more lines that are not http or https URLs");
  if (list.urls.empty()) {
    complain("--urls-from: " + shownValue(file) + " holds no http or https URL");
    return std::nullopt;
  }
  return list.urls;
}

// Each setting's flag, made from its row of the settings table.
void addSettingFlags(CLI::App& scan, SettingValues& values) {
  for (const SettingRow& row : settingTable()) {
    const std::string flag(row.flag), help(row.flagHelp);
    std::string& value = values[row.setting];
    switch (row.kind) {
      case SettingKind::Text: {
        auto* option = scan.add_option(flag, value, help)->capture_default_str();
        if (!row.flagWords.empty()) {
          std::map<std::string, std::string> words;
          for (const auto& [word, shown] : row.flagWords) words.emplace(word, shown);
          option->transform(CLI::CheckedTransformer(words));
        }
        break;
      }
      case SettingKind::Keywords:
        // One keyword per use, as the window's box holds them: one per line.
        scan.add_option_function<std::vector<std::string>>(
            flag,
            [&value](const std::vector<std::string>& words) {
              value.clear();
              for (size_t i = 0; i < words.size(); ++i) value += (i ? kCrLf : "") + words[i];
            },
            help);
        break;
      case SettingKind::Switch:
        scan.add_flag_callback(
            flag, [&value, set = row.flagSets] { value = set; }, help);
        break;
    }
  }
}

}  // namespace

void addScanCommand(CLI::App& app, ScanOptions& o) {
  auto* scan = app.add_subcommand("scan",
                                  "Harvest addresses: crawl from a base URL (--url) or "
                                  "from a search engine's results (--keywords).");
  auto* url = scan->add_option("--url", o.url, "Base URL to crawl from (URL mode)");
  auto* keywords = scan->add_option("--keywords", o.keywords, "Search words (keyword mode)");
  auto* list = scan->add_option("--urls-from", o.urlsFrom,
                                "Start URLs, one a line, from this file (- for standard input); "
                                "blank lines and # comments skipped");
  url->excludes(keywords)->excludes(list);
  keywords->excludes(list);
  auto* engine =
      scan->add_option("--engine", o.engine,
                       "Keyword mode: replace the scheme, host and port of the search address");
  engine->needs(keywords);
  scan->add_option("--engine-json", o.engineJson,
                   "Keyword mode: ask this metasearch engine, which answers JSON "
                   "(URL?q=WORDS&format=json&pageno=N), instead")
      ->needs(keywords)
      ->excludes(engine);
  addSettingFlags(*scan, o.settings);
  scan->add_option("--output", o.output,
                   "Write the addresses to this file, each followed by "
                   "the delimiter (.txt added to a name without a dot)");
  scan->add_option("--format", o.format,
                   "Standard output: text, csv or jsonl (rows as they are found) or json (at the "
                   "end)")
      ->transform(CLI::CheckedTransformer(formatNames()));
  scan->add_flag("--quiet", o.quiet, "No progress line and no journal line on stderr");
  auto* journal = scan->add_option("--journal", o.journal,
                                   "Keep the scan's journal in this new file (it must not exist)");
  scan->add_flag("--no-journal", o.noJournal, "Keep no journal of the scan")->excludes(journal);
  scan->add_option("--resolve", o.resolve,
                   "HOST:PORT:ADDRESS: send every request for HOST:PORT to ADDRESS, as curl's "
                   "option (repeatable)");
  scan->add_option("--dns-server", o.dnsServers,
                   "ADDRESS[:PORT]: ask this DNS server for --check-domains instead of the "
                   "system's (repeatable; an IPv6 address with a port in brackets)");
}

int runScanCommand(ScanOptions o) {
  if (o.url.empty() && o.keywords.empty() && o.urlsFrom.empty()) {
    complain("--url, --keywords or --urls-from is required");
    return kExitBadArguments;
  }
  if (auto m = checkFields(o)) {
    complain(*m);
    return kExitBadArguments;
  }
  for (const std::string& entry : o.resolve) {
    if (const auto m = checkResolve(entry)) {
      complain(*m + " (not " + shownValue(entry) + ")");
      return kExitBadArguments;
    }
  }
  for (const std::string& server : o.dnsServers) {
    if (const auto m = checkDnsServer(server)) {
      complain(*m + " (not " + shownValue(server) + ")");
      return kExitBadArguments;
    }
  }
  std::vector<std::string> starts;
  if (!o.urlsFrom.empty()) {
    const auto list = startList(o.urlsFrom);
    if (!list) return kExitBadArguments;
    starts = *list;
  }
  EngineProfile profile;
  if (!o.engine.empty()) {
    auto changed = withEngine(profile, o.engine);
    if (!changed) {
      complain("--engine needs an http or https URL with a host");
      return kExitBadArguments;
    }
    profile = *changed;
  }
  if (!o.engineJson.empty() && !isWebUrl(o.engineJson)) {
    complain("--engine-json needs an http or https URL with a host");
    return kExitBadArguments;
  }
  std::error_code ec;
  if (!o.journal.empty() && std::filesystem::exists(o.journal, ec)) {
    complain(o.journal + " exists: korvex-cli resume " + o.journal + " goes on with its scan");
    return kExitBadArguments;
  }

  if (!isConnected()) {
    complain("You are not connected to internet. Please check.");
    return kExitNotConnected;
  }
  const bool urlMode = o.keywords.empty();
  const std::string base = starts.empty() ? trimmed(urlMode ? o.url : o.keywords) : starts[0];
  if (auto m = checkSearchText(urlMode, base)) {
    complain(*m);
    return kExitBadArguments;
  }
  const ScanInput input{.keywordMode = !urlMode,
                        .base = urlMode ? withScheme(base) : base,
                        .starts = starts,
                        .values = o.settings,
                        .engine = o.engine,
                        .engineJson = o.engineJson,
                        .resolve = o.resolve,
                        .dnsServers = o.dnsServers};
  const OutputOptions outputs{.format = o.format,
                              .output = o.output,
                              .delimiter = trimmed(o.settings[Setting::Delimiter]),
                              .quiet = o.quiet};

  std::unique_ptr<Journal> journal;
  if (!o.noJournal) {
    auto made = Journal::create(o.journal.empty() ? std::nullopt : std::optional(o.journal), input,
                                std::chrono::system_clock::now(), complain);
    if (auto* failure = std::get_if<std::string>(&made)) {
      complain("the journal cannot be created: " + *failure + "; the scan goes on without it");
    } else {
      journal = std::move(std::get<std::unique_ptr<Journal>>(made));
      if (!o.quiet) complain("journal: " + journal->path());
    }
  }
  return runScan(scanRequest(input), profile, outputs, journal.get(), nullptr);
}

}  // namespace korvex::cli
