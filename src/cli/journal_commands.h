// korvex-cli resume and export: a scan's journal, continued or written out.
#pragma once

#include <string>

#include "cli/output.h"

namespace CLI {
class App;
}

namespace korvex::cli {

struct JournalOptions {
  std::string file;  // resume: "" for the newest unfinished journal
  Format format = Format::Text;
  std::string output;
  std::string delimiter;  // "" for the journal's own
  bool quiet = false;
};

void addResumeCommand(CLI::App& app, JournalOptions& options);
void addExportCommand(CLI::App& app, JournalOptions& options);
// Exit status: as a scan's; 1 also when the journal cannot be read or is in use.
int runResumeCommand(const JournalOptions& options);
int runExportCommand(const JournalOptions& options);

}  // namespace korvex::cli
