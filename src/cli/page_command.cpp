#include "cli/page_command.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "control/page_preview.h"

namespace korvex::cli {

void addPageCommand(CLI::App& app, PageOptions& options) {
  auto* page = app.add_subcommand(
      "page",
      "Process one URL as a scan processes a start page, with the default settings, and "
      "print the addresses found and the links that would be queued.");
  page->add_option("url", options.url, "The page's URL")->required();
  page->add_option("--format", options.format, "Output format: text or json")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, Format>{{"text", Format::Text}, {"json", Format::Json}}));
}

int runPageCommand(const PageOptions& options) {
  const PageResult r = previewPage(options.url);
  if (options.format == Format::Json) {
    std::cout << "{\"url\":" << jsonText(options.url) << ",\"read\":" << (r.read ? "true" : "false")
              << ",\"emails\":[";
    for (size_t i = 0; i < r.emails.size(); ++i)
      std::cout << (i ? "," : "") << "{\"n\":" << i + 1
                << ",\"email\":" << jsonText(r.emails[i].address)
                << ",\"url\":" << jsonText(r.emails[i].url) << "}";
    std::cout << "],\"links\":[";
    for (size_t i = 0; i < r.links.size(); ++i) std::cout << (i ? "," : "") << jsonText(r.links[i]);
    std::cout << "],\"counters\":{\"extracted\":" << r.extUrls << ",\"valid\":" << r.validUrls
              << ",\"emails\":" << r.emails.size() << "}}\n";
  } else {
    std::cout << "Emails (" << r.emails.size() << "):\n";
    for (size_t i = 0; i < r.emails.size(); ++i)
      std::cout << i + 1 << "\t" << r.emails[i].address << "\t" << r.emails[i].url << "\n";
    std::cout << "Links (" << r.links.size() << "):\n";
    for (const auto& link : r.links) std::cout << link << "\n";
  }
  if (!r.read) {
    std::cerr << "korvex-cli: cannot open " << options.url << ": " << r.failure << "\n";
    return 1;
  }
  return 0;
}

}  // namespace korvex::cli
