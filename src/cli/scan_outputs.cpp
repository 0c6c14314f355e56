#include "cli/scan_outputs.h"

#include <algorithm>
#include <iostream>

#include "output/save_results.h"

namespace korvex::cli {
namespace {

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

}  // namespace

const std::map<std::string, Format>& formatNames() {
  static const std::map<std::string, Format> names{{"text", Format::Text},
                                                   {"csv", Format::Csv},
                                                   {"json", Format::Json},
                                                   {"jsonl", Format::JsonLines}};
  return names;
}

void complain(std::string_view text) {
  std::cerr << "korvex-cli: " << text << "\n";
}

std::string progressLine(const ScanCounters& c) {
  return "URLs Extracted: " + std::to_string(c.extracted) +
         "  Valid URLs: " + std::to_string(c.valid) +
         "  Processed: " + std::to_string(c.processed) +
         "  Emails Extracted: " + std::to_string(c.emails);
}

bool streamed(Format format) {
  return format != Format::Json;
}

int writeResults(const ScanResults& results, const OutputOptions& options, bool rowsStreamed,
                 std::string_view ending) {
  // Both outputs are tried: what one cannot take, the other may still keep.
  if (rowsStreamed)
    writeTrailer(standardOutput(), results, options.format, ending);
  else
    writeResults(standardOutput(), results, options.format, ending);
  if (const auto& refused = results.refused();
      !refused.empty() && options.format != Format::Json && options.format != Format::JsonLines)
    complain(refusedLine(refused));
  if (results.checksDomains() && !options.quiet) {
    std::string line = "addresses by their domains' answers:";
    const char* comma = " ";
    for (const auto& [state, count] : results.addressesByState()) {
      line += comma + std::to_string(count) + " " + state;
      comma = ", ";
    }
    complain(line);
  }
  int status = 0;
  if (const auto failure = closeStandardOutput()) {
    complain(*failure);
    status = kExitCannotWrite;
  }
  if (!options.output.empty()) {
    if (const SaveOutcome saved =
            saveResults(options.output, results, Format::Text, options.delimiter);
        saved.message) {
      complain(*saved.message);
      status = kExitCannotWrite;
    }
  }
  return status;
}

}  // namespace korvex::cli
