#include "cli/scan_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <iostream>

#include "base/number.h"
#include "base/shown_url.h"
#include "base/text.h"
#include "cli/interrupt.h"
#include "control/field_checks.h"
#include "control/loop_host.h"
#include "control/online_probe.h"
#include "control/save_results.h"
#include "control/scan.h"
#include "control/scan_control.h"
#include "control/window_defaults.h"

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

// The keyword options as the window's boxes would hold them: one keyword per line.
PageSettings pageSettingsOf(const ScanOptions& o) {
  PageSettings p;
  auto box = [](const std::vector<std::string>& keywords) {
    std::string text;
    for (size_t i = 0; i < keywords.size(); ++i) text += (i ? kCrLf : "") + keywords[i];
    return text;
  };
  p.setKeywordBoxes(box(o.urlMust), box(o.urlMustNot), box(o.pageMust), box(o.pageMustNot));
  p.optUrlAny = !o.urlAll;
  p.optUrlAll = o.urlAll;
  p.optPagesAny = !o.pageAll;
  p.optPagesAll = o.pageAll;
  p.maxTime = val(o.maxTime);
  const std::string agent = trimmed(o.userAgent);
  p.agent = agent.empty() ? std::string(kAgent) : agent;
  return p;
}

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

// Checks that the window itself makes when a field is left; nothing when all pass.
std::optional<std::string> checkFields(ScanOptions& o) {
  if (auto m = checkDelimiter(o.delimiter)) return m;
  if (auto m = checkPageLimit(o.maxPages)) return m;
  if (auto m = checkMaxTime(o.maxTime)) return "--max-time: " + *m;
  if (auto m = checkDelayPerHost(o.delayMs)) return "--delay-ms: " + *m;
  return std::nullopt;
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
  scan->add_option("--depth", o.depth, "Depth 1-20: levels 1 to depth+1 are crawled")
      ->check(CLI::Range(1, 20))
      ->capture_default_str();
  scan->add_option("--max-pages", o.maxPages, "Page limit 1-100000, on accepted pages")
      ->capture_default_str();
  scan->add_option("--max-time", o.maxTime,
                   "Minutes allowed to download one page (above 0, at most 1440)")
      ->capture_default_str();
  scan->add_option("--threads", o.threads, "Workers 1-10")
      ->check(CLI::Range(1, kMaxThreads))
      ->capture_default_str();
  scan->add_option("--url-must", o.urlMust, "A URL must contain this keyword (repeatable)");
  scan->add_flag("--url-all", o.urlAll, "URLs must contain all --url-must keywords, not any");
  scan->add_option("--url-must-not", o.urlMustNot, "A URL must not contain this (repeatable)");
  scan->add_option("--page-must", o.pageMust, "A page must contain this keyword (repeatable)");
  scan->add_flag("--page-all", o.pageAll, "Pages must contain all --page-must keywords");
  scan->add_option("--page-must-not", o.pageMustNot, "A page must not contain this (repeatable)");
  scan->add_option("--output", o.output,
                   "Write the addresses to this file, each followed by "
                   "the delimiter (.txt added to a name without a dot)");
  scan->add_option("--delimiter", o.delimiter, "Delimiter for --output")->capture_default_str();
  scan->add_option("--format", o.format, "Standard output: text, csv or json")
      ->transform(CLI::CheckedTransformer(std::map<std::string, Format>{
          {"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}}));
  scan->add_flag("--quiet", o.quiet, "No progress line on stderr");
  scan->add_flag("--ignore-robots", o.ignoreRobots,
                 "Read every page whatever robots.txt says (for crawling your own sites)");
  scan->add_option("--delay-ms", o.delayMs,
                   "Milliseconds between two requests to one site, across all workers")
      ->capture_default_str();
  scan->add_option("--user-agent", o.userAgent, "The agent string sent with every request")
      ->capture_default_str();
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
                            .crawl = {.maxDepth = o.depth + 1,
                                      .maxPages = val(o.maxPages),
                                      .threads = o.threads,
                                      .delayMs = val(o.delayMs),
                                      .obeyRobots = !o.ignoreRobots,
                                      .page = pageSettingsOf(o)}};

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
    const SaveOutcome saved = saveResults(o.output, scan.state().sEmailList, o.delimiter);
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
