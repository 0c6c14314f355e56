// korvex-cli: the command-line front end of the engine.
#include <signal.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "base/version.h"
#include "cli/completions.h"
#include "cli/journal_commands.h"
#include "cli/output.h"
#include "cli/page_command.h"
#include "cli/scan_command.h"
#include "session/startup_check.h"

int main(int argc, char** argv) {
  using namespace korvex::cli;
  guardStandardDescriptors();
  // A closed pipe is an error of the write (EPIPE) that the scan answers, not a death.
  signal(SIGPIPE, SIG_IGN);
  CLI::App app{"Korvex harvests e-mail addresses from web pages.", "korvex-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "korvex-cli " + std::string(korvex::kVersion));
  app.footer(
      "Rows of text, csv and jsonl go to standard output as their addresses are found.\n"
      "Ctrl-C, SIGTERM and SIGHUP stop a scan: what it found is printed and written, and its\n"
      "journal is left to resume; a second one leaves at once.\n"
      "Exit status: 0 the page was read or the scan ended (depth, empty level, page limit or a\n"
      "signal); 1 the page or the base URL could not be opened, no Internet connection could be\n"
      "opened, no result page of the search engine could be read, or a journal could not be read,\n"
      "is damaged or is in use; 2 bad arguments; 3 the machine is not connected; 4 standard\n"
      "output or the output file could not be written, or the reader of standard output went\n"
      "away (what could be written still was).");
  PageOptions page;
  addPageCommand(app, page);
  ScanOptions scan;
  addScanCommand(app, scan);
  JournalOptions resume, exported;
  addResumeCommand(app, resume);
  addExportCommand(app, exported);
  JournalsOptions journals;
  addJournalsCommand(app, journals);
  std::string shell;
  addCompletionsCommand(app, shell);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "korvex-cli: " << e.what() << "\n";
    return 2;
  }
  if (app.got_subcommand("completions")) {
    standardOutput() << (shell == "bash" ? bashCompletion(app) : zshCompletion(app));
    return closeStandardOutput() ? 4 : 0;
  }
  if (const auto problem = korvex::engineStartupProblem()) {
    std::cerr << "korvex-cli: " << *problem << "\n";
    return 1;
  }
  if (app.got_subcommand("page")) return runPageCommand(page);
  if (app.got_subcommand("scan")) return runScanCommand(scan);
  if (app.got_subcommand("resume")) return runResumeCommand(resume);
  if (app.got_subcommand("export")) return runExportCommand(exported);
  if (app.got_subcommand("journals")) return runJournalsCommand(journals);
  return 2;
}
