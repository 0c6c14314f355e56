// korvex-cli page URL: processes one URL as a worker processes a level-1 page of a scan.
#pragma once

#include <string>

#include "cli/output.h"

namespace CLI {
class App;
}

namespace korvex::cli {

struct PageOptions {
  std::string url;
  Format format = Format::Text;
  bool documents = false;
};

void addPageCommand(CLI::App& app, PageOptions& options);
// Exit status: 0 when the page was read, 1 when it could not be opened.
int runPageCommand(const PageOptions& options);

}  // namespace korvex::cli
