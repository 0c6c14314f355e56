// The journals in the journal folder, as a user looks after them: what each scanned, how it
// ended and what it holds; the old finished and stopped ones removed with their side files.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvex {

struct JournalSummary {
  std::string path;
  std::string started;  // "2026-12-06 19:30:05 UTC", from its name (the time it was made)
  std::string scanned;  // the base URL (password masked), the keywords, or "N start URLs"
  std::string status;   // running, stopped, finished, or damaged
  std::string problem;  // why a damaged one cannot be read
  bool inUse = false;   // a program holds it: a scan writing it, or resuming it
  long long pagesRead = 0;
  long long addresses = 0;
  unsigned long long bytes = 0;  // the file and its side files
};

// Newest first. Damaged files are listed as damaged, with why.
std::vector<JournalSummary> listJournals();

// Removes the finished and stopped journals last changed more than `days` days ago, with their
// side files; never one that runs, is in use or is damaged. Returns the paths removed, or why one
// could not be.
struct PruneOutcome {
  std::vector<std::string> removed;
  std::vector<std::string> failures;
};
PruneOutcome pruneJournals(double days);

}  // namespace korvex
