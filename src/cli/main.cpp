// korvex-cli: the command-line front end of the engine.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/journal_commands.h"
#include "cli/output.h"
#include "cli/page_command.h"
#include "cli/scan_command.h"
#include "control/startup_check.h"
#include "control/window_defaults.h"

int main(int argc, char** argv) {
  using namespace korvex::cli;
  guardStandardDescriptors();
  CLI::App app{"Korvex harvests e-mail addresses from web pages.", "korvex-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "korvex-cli " + std::string(korvex::kVersion));
  app.footer(
      "Exit status: 0 the page was read or the scan ended (depth, empty level, page limit or\n"
      "Ctrl-C); 1 the page or the base URL could not be opened, no Internet connection could\n"
      "be opened, or a journal could not be read or is in use; 2 bad arguments; 3 the machine\n"
      "is not connected; 4 standard output or the output file could not be written (what could\n"
      "be written still was).");
  PageOptions page;
  addPageCommand(app, page);
  ScanOptions scan;
  addScanCommand(app, scan);
  JournalOptions resume, exported;
  addResumeCommand(app, resume);
  addExportCommand(app, exported);
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
  if (const auto problem = korvex::engineStartupProblem()) {
    std::cerr << "korvex-cli: " << *problem << "\n";
    return 1;
  }
  if (app.got_subcommand("page")) return runPageCommand(page);
  if (app.got_subcommand("scan")) return runScanCommand(scan);
  if (app.got_subcommand("resume")) return runResumeCommand(resume);
  if (app.got_subcommand("export")) return runExportCommand(exported);
  return 2;
}
