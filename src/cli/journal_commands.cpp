#include "cli/journal_commands.h"

#include <CLI/CLI.hpp>

#include "base/shown_url.h"
#include "base/text.h"
#include "cli/scan_runner.h"
#include "journal/journal_list.h"
#include "session/online_probe.h"
#include "settings/field_checks.h"

namespace korvex::cli {
namespace {

void addOutputFlags(CLI::App& command, JournalOptions& o) {
  command.add_option("--format", o.format, "Standard output: text, csv, json or jsonl")
      ->transform(CLI::CheckedTransformer(formatNames()));
  command.add_option("--output", o.output,
                     "Write the addresses to this file, each followed by the delimiter (.txt "
                     "added to a name without a dot)");
  command.add_option("--delimiter", o.delimiter,
                     "Delimiter for --output (the scan's own when left out)");
}

// The outputs as the scan's own settings give them, unless the options say otherwise.
std::optional<OutputOptions> outputsOf(const JournalOptions& o, const JournalContents& contents) {
  const std::string delimiter =
      o.delimiter.empty() ? contents.settings.values[Setting::Delimiter] : o.delimiter;
  if (const auto refused = checkDelimiter(delimiter)) {
    complain("--delimiter: " + *refused);
    return std::nullopt;
  }
  return OutputOptions{
      .format = o.format, .output = o.output, .delimiter = trimmed(delimiter), .quiet = o.quiet};
}

int writeJournalResults(const JournalContents& contents, const OutputOptions& outputs) {
  ScanResults results;
  results.restore(contents.progress);
  return writeResults(results, outputs, false, journalStatusName(contents.status));
}

}  // namespace

void addResumeCommand(CLI::App& app, JournalOptions& o) {
  auto* resume = app.add_subcommand(
      "resume",
      "Go on with a scan that did not finish, from its journal, and write its whole "
      "result.");
  resume->add_option("FILE", o.file, "The journal (the newest unfinished one when left out)");
  addOutputFlags(*resume, o);
  resume->add_flag("--quiet", o.quiet, "No progress line and no journal line on stderr");
}

void addExportCommand(CLI::App& app, JournalOptions& o) {
  auto* command = app.add_subcommand("export", "Write a journal's results as its scan wrote them.");
  command->add_option("FILE", o.file, "The journal")->required();
  addOutputFlags(*command, o);
}

int runResumeCommand(const JournalOptions& o) {
  std::string path = o.file;
  if (path.empty()) {
    const auto newest = newestUnfinishedJournal();
    if (!newest) {
      complain("there is no unfinished journal in " + journalFolder());
      return kExitCannotOpen;
    }
    path = *newest;
  }
  JournalContents contents;
  auto taken = Journal::resume(path, contents, complain);
  if (const auto* failure = std::get_if<std::string>(&taken)) {
    complain(*failure);
    return kExitCannotOpen;
  }
  std::unique_ptr<Journal> journal = std::move(std::get<std::unique_ptr<Journal>>(taken));
  const auto outputs = outputsOf(o, contents);
  if (!outputs) return kExitBadArguments;
  if (contents.status == JournalStatus::Finished) return writeJournalResults(contents, *outputs);
  if (contents.settings.keywordMode) {
    complain(path +
             ": a scan from keywords cannot be resumed; korvex-cli export writes what "
             "it found");
    return kExitCannotOpen;
  }
  if (firstRefusal(contents.settings.values, false) || contents.settings.base.empty()) {
    complain(path + ": its settings are damaged");
    return kExitCannotOpen;
  }
  if (!isConnected()) {
    complain("You are not connected to internet. Please check.");
    return kExitNotConnected;
  }
  if (!o.quiet) complain("journal: " + path);
  return runScan(scanRequest(contents.settings), EngineProfile{}, *outputs, journal.get(),
                 &contents.progress);
}

void addJournalsCommand(CLI::App& app, JournalsOptions& o) {
  auto* command = app.add_subcommand(
      "journals",
      "List the scans' journals, newest first: file, start, what was scanned, status, pages "
      "read, addresses and size.");
  command->add_option("--format", o.format, "text or json")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, Format>{{"text", Format::Text}, {"json", Format::Json}}));
  command
      ->add_option("--prune", o.pruneDays,
                   "Remove the finished and stopped journals older than DAYS days (0 for all), "
                   "with their side files")
      ->type_name("DAYS")
      ->check(CLI::Range(0.0, 36500.0));
}

int runJournalsCommand(const JournalsOptions& o) {
  std::ostream& out = standardOutput();
  int status = 0;
  if (o.pruneDays) {
    const PruneOutcome pruned = pruneJournals(*o.pruneDays);
    for (const std::string& path : pruned.removed)
      out << "removed " << shownValue(path, 4096) << "\n";
    for (const std::string& failure : pruned.failures) complain(failure);
    if (!pruned.failures.empty()) status = kExitCannotWrite;
  } else if (o.format == Format::Json) {
    const char* comma = "";
    out << "[";
    for (const JournalSummary& j : listJournals()) {
      out << comma << "{\"file\":" << jsonText(j.path) << ",\"started\":" << jsonText(j.started)
          << ",\"scanned\":" << jsonText(j.scanned) << ",\"status\":" << jsonText(j.status)
          << ",\"inUse\":" << (j.inUse ? "true" : "false") << ",\"pagesRead\":" << j.pagesRead
          << ",\"addresses\":" << j.addresses << ",\"bytes\":" << j.bytes;
      if (!j.problem.empty()) out << ",\"problem\":" << jsonText(j.problem);
      out << "}";
      comma = ",";
    }
    out << "]\n";
  } else {
    for (const JournalSummary& j : listJournals()) {
      out << shownValue(j.path, 4096) << "  " << (j.started.empty() ? "-" : j.started) << "  "
          << j.status << (j.inUse ? " (in use)" : "");
      if (j.status == "damaged")
        out << ": " << j.problem;
      else
        out << "  " << j.pagesRead << " pages read  " << j.addresses << " addresses  " << j.scanned;
      out << "  " << j.bytes << " bytes\n";
    }
  }
  if (const auto failure = closeStandardOutput()) {
    complain(*failure);
    status = kExitCannotWrite;
  }
  return status;
}

int runExportCommand(const JournalOptions& o) {
  auto read = readJournal(o.file);
  if (const auto* failure = std::get_if<std::string>(&read)) {
    complain(*failure);
    return kExitCannotOpen;
  }
  const JournalContents& contents = std::get<JournalContents>(read);
  const auto outputs = outputsOf(o, contents);
  return outputs ? writeJournalResults(contents, *outputs) : kExitBadArguments;
}

}  // namespace korvex::cli
