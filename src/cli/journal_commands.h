// korvex-cli resume, export and journals: a scan's journal continued or written out, and the
// journal folder listed and pruned.
#pragma once

#include <optional>
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

struct JournalsOptions {
  Format format = Format::Text;  // text or json
  std::optional<double> pruneDays;
};

void addResumeCommand(CLI::App& app, JournalOptions& options);
void addJournalsCommand(CLI::App& app, JournalsOptions& options);
// Exit status: 0 (damaged files are listed and kept), 4 when the list cannot be written or a
// journal cannot be removed.
int runJournalsCommand(const JournalsOptions& options);
void addExportCommand(CLI::App& app, JournalOptions& options);
// Exit status: as a scan's; 1 also when the journal cannot be read or is in use.
int runResumeCommand(const JournalOptions& options);
int runExportCommand(const JournalOptions& options);

}  // namespace korvex::cli
