#include "cli/scan_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <iostream>

#include "base/shown_url.h"
#include "base/text.h"
#include "cli/interrupt.h"
#include "control/field_checks.h"
#include "control/loop_host.h"
#include "control/online_probe.h"
#include "control/save_results.h"
#include "control/scan.h"
#include "control/scan_control.h"

namespace korvex::cli {
namespace {

constexpr int kExitCannotOpen = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitNotConnected = 3;
constexpr int kExitCannotWrite = 4;
// The progress line is redrawn at most this often.
constexpr std::chrono::milliseconds kProgressEvery{200};

struct StderrDialogs {
  void message(std::string_view text) const { std::cerr << "korvex-cli: " << text << "\n"; }
};

std::string progressLine(const ScanCounters& c) {
  return "URLs Extracted: " + std::to_string(c.extracted) +
         "  Valid URLs: " + std::to_string(c.valid) +
         "  Processed: " + std::to_string(c.processed) +
         "  Emails Extracted: " + std::to_string(c.emails);
}

// Results are streamed row by row from the scan's own lists.
void printResults(const ScanResults& results, Format format) {
  std::ostream& out = standardOutput();
  const auto& addresses = results.addresses();
  switch (format) {
    case Format::Text:
      for (const FoundAddress& a : addresses) out << a.address << "\n";
      break;
    case Format::Csv:
      out << "Sl.No,Email,URL\n";
      for (const FoundAddress& a : addresses)
        out << csvField(std::to_string(a.n)) << "," << csvField(a.address) << ","
            << csvField(a.page) << "\n";
      break;
    case Format::Json: {
      const char* comma = "";
      out << "{\"emails\":[";
      for (const FoundAddress& a : addresses) {
        out << comma << "{\"n\":" << a.n << ",\"email\":" << jsonText(a.address)
            << ",\"url\":" << jsonText(a.page) << "}";
        comma = ",";
      }
      out << "],\"scanned\":[";
      comma = "";
      for (const std::string& url : results.scanned()) {
        out << comma << jsonText(url);
        comma = ",";
      }
      out << "],\"refused\":[";
      comma = "";
      for (const RefusedURL& r : results.refused()) {
        out << comma << "{\"url\":" << jsonText(r.url) << ",\"reason\":" << jsonText(r.reason)
            << "}";
        comma = ",";
      }
      const ScanCounters& c = results.counters();
      out << "],\"counters\":{\"extracted\":" << c.extracted << ",\"valid\":" << c.valid
          << ",\"processed\":" << c.processed << ",\"emails\":" << c.emails
          << ",\"refused\":" << c.refused << "}}\n";
      break;
    }
  }
}

// What the URLs robots.txt kept the scan from were: refused by a robots.txt, or on a site whose
// robots.txt could not be read.
std::string refusedLine(const std::vector<RefusedURL>& refused) {
  const auto unreadable = static_cast<size_t>(std::count_if(
      refused.begin(), refused.end(), [](const RefusedURL& r) { return r.robotsUnreadable; }));
  const size_t disallowed = refused.size() - unreadable;
  std::string why = !unreadable   ? "robots.txt refuses them"
                    : !disallowed ? "the robots.txt of their site could not be read"
                                  : "robots.txt refuses " + std::to_string(disallowed) +
                                        " of them, and " + std::to_string(unreadable) +
                                        " are on sites whose robots.txt could not be read";
  return std::to_string(refused.size()) + " URLs were not read: " + why +
         " (--format json lists them)";
}

// The checks the window makes of its fields, naming the flag.
std::optional<std::string> checkFields(const ScanOptions& o) {
  if (const auto refused = firstRefusal(o.settings, false))
    return std::string(specOf(refused->setting).flag) + ": " + refused->message;
  return std::nullopt;
}

// Each setting's flag, made from its row of the settings table.
void addSettingFlags(CLI::App& scan, SettingValues& values) {
  for (const SettingSpec& spec : settingTable()) {
    const std::string flag(spec.flag), help(spec.flagHelp);
    std::string& value = values[spec.setting];
    switch (spec.kind) {
      case SettingKind::Text:
        scan.add_option(flag, value, help)->capture_default_str();
        break;
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
            flag, [&value, set = spec.flagSets] { value = set; }, help);
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
  url->excludes(keywords);
  scan->add_option("--engine", o.engine,
                   "Keyword mode: replace the scheme, host and port of the search address")
      ->needs(keywords);
  addSettingFlags(*scan, o.settings);
  scan->add_option("--output", o.output,
                   "Write the addresses to this file, each followed by "
                   "the delimiter (.txt added to a name without a dot)");
  scan->add_option("--format", o.format, "Standard output: text, csv or json")
      ->transform(CLI::CheckedTransformer(std::map<std::string, Format>{
          {"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}}));
  scan->add_flag("--quiet", o.quiet, "No progress line on stderr");
}

int runScanCommand(ScanOptions o) {
  StderrDialogs dialogs;
  if (o.url.empty() && o.keywords.empty()) {
    dialogs.message("--url or --keywords is required");
    return kExitBadArguments;
  }
  if (auto m = checkFields(o)) {
    dialogs.message(*m);
    return kExitBadArguments;
  }
  EngineProfile profile;
  if (!o.engine.empty()) {
    auto changed = withEngine(profile, o.engine);
    if (!changed) {
      dialogs.message("--engine needs an http or https URL with a host");
      return kExitBadArguments;
    }
    profile = *changed;
  }

  if (!isConnected()) {
    dialogs.message("You are not connected to internet. Please check.");
    return kExitNotConnected;
  }
  const bool urlMode = !o.url.empty();
  const std::string base = trimmed(urlMode ? o.url : o.keywords);
  if (auto m = checkSearchText(urlMode, base)) {
    dialogs.message(*m);
    return kExitBadArguments;
  }
  const ScanRequest request{.keywordMode = !urlMode,
                            .base = urlMode ? withScheme(base) : base,
                            .crawl = crawlSettingsFrom(o.settings)};

  LoopHost host;
  Scan scan(host, realWorkers(), profile, systemClock());
  watchInterrupts(host.wakeup());
  const bool showProgress = !o.quiet && isatty(STDERR_FILENO);
  auto lastDrawn = std::chrono::steady_clock::now() - kProgressEvery;
  bool stopped = false;
  host.setOnTurn([&] {
    if (stopRequested() && !stopped) {
      stopped = true;
      scan.stop();
    }
    if (showProgress && std::chrono::steady_clock::now() - lastDrawn >= kProgressEvery) {
      lastDrawn = std::chrono::steady_clock::now();
      std::cerr << "\r" << progressLine(scan.results().counters()) << std::flush;
    }
  });

  const ScanEnd end = scan.run(request, nullptr);
  if (showProgress) std::cerr << "\r" << progressLine(scan.results().counters()) << "\n";
  if (end == ScanEnd::ConnectionFailed) {
    dialogs.message("cannot open an Internet connection: " + scan.connectionFailure());
    return kExitCannotOpen;
  }
  if (end == ScanEnd::WorkersFailed)
    dialogs.message("The workers of the scan could not be started.");
  // Both outputs are tried: what one cannot take, the other may still keep.
  printResults(scan.results(), o.format);
  if (const auto& refused = scan.results().refused(); !refused.empty() && o.format != Format::Json)
    dialogs.message(refusedLine(refused));
  int status = 0;
  if (const auto failure = closeStandardOutput()) {
    dialogs.message(*failure);
    status = kExitCannotWrite;
  }
  if (!o.output.empty()) {
    const SaveOutcome saved =
        saveResults(o.output, scan.state().sEmailList, trimmed(o.settings[Setting::Delimiter]));
    if (saved.message) {
      dialogs.message(*saved.message);
      status = kExitCannotWrite;
    }
  }
  if (const auto failure = scan.startPageFailure()) {
    dialogs.message("cannot open " + shownUrl(request.base) + ": " + *failure);
    if (status == 0) status = kExitCannotOpen;
  } else if (const auto answered = scan.startPageErrorStatus()) {
    dialogs.message(shownUrl(request.base) + " answered HTTP " + std::to_string(*answered));
  }
  return status;
}

}  // namespace korvex::cli
