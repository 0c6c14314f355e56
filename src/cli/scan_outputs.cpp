#include "cli/scan_outputs.h"

#include <algorithm>
#include <iostream>

#include "control/save_results.h"

namespace korvex::cli {
namespace {

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

}  // namespace

const std::map<std::string, Format>& formatNames() {
  static const std::map<std::string, Format> names{
      {"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}};
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

int writeResults(const ScanResults& results, const OutputOptions& options) {
  // Both outputs are tried: what one cannot take, the other may still keep.
  printResults(results, options.format);
  if (const auto& refused = results.refused(); !refused.empty() && options.format != Format::Json)
    complain(refusedLine(refused));
  int status = 0;
  if (const auto failure = closeStandardOutput()) {
    complain(*failure);
    status = kExitCannotWrite;
  }
  if (!options.output.empty()) {
    EmailList list;
    for (const FoundAddress& a : results.addresses()) list.add(a.address);
    if (const SaveOutcome saved = saveResults(options.output, list, options.delimiter);
        saved.message) {
      complain(*saved.message);
      status = kExitCannotWrite;
    }
  }
  return status;
}

}  // namespace korvex::cli
