#include "cli/page_command.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "base/shown_url.h"
#include "session/page_preview.h"

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
  page->add_flag("--documents", options.documents,
                 "Read the URL as a document when it is a PDF or an office file");
}

int runPageCommand(const PageOptions& options) {
  const PageResult r = previewPage(options.url, options.documents);
  std::ostream& out = standardOutput();
  if (options.format == Format::Json) {
    out << "{\"url\":" << jsonText(shownUrl(options.url))
        << ",\"read\":" << (r.read ? "true" : "false") << ",\"emails\":[";
    const std::string page = shownUrl(options.url);
    for (size_t i = 0; i < r.emails.size(); ++i)
      out << (i ? "," : "") << "{\"n\":" << i + 1 << ",\"email\":" << jsonText(r.emails[i])
          << ",\"url\":" << jsonText(page) << "}";
    out << "],\"links\":[";
    for (size_t i = 0; i < r.links.size(); ++i)
      out << (i ? "," : "") << jsonText(shownUrl(r.links[i]));
    out << "],\"counters\":{\"extracted\":" << r.extUrls << ",\"valid\":" << r.validUrls
        << ",\"emails\":" << r.emails.size() << "}}\n";
  } else {
    out << "Emails (" << r.emails.size() << "):\n";
    const std::string page = shownUrl(options.url);
    for (size_t i = 0; i < r.emails.size(); ++i)
      out << i + 1 << "\t" << r.emails[i] << "\t" << page << "\n";
    out << "Links (" << r.links.size() << "):\n";
    for (const auto& link : r.links) out << shownUrl(link) << "\n";
  }
  int status = 0;
  if (const auto failure = closeStandardOutput()) {
    std::cerr << "korvex-cli: " << *failure << "\n";
    status = 4;
  }
  if (!r.read) {
    std::cerr << "korvex-cli: cannot open " << shownValue(options.url) << ": "
              << shownValue(r.failure, 400) << "\n";
    if (status == 0) status = 1;
  }
  return status;
}

}  // namespace korvex::cli
