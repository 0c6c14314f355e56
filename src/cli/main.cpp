// korvex-cli: the command-line front end of the engine.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/page_command.h"
#include "cli/scan_command.h"
#include "control/startup_check.h"

int main(int argc, char** argv) {
  using namespace korvex::cli;
  CLI::App app{"Korvex harvests e-mail addresses from web pages.", "korvex-cli"};
  app.require_subcommand(1);
  PageOptions page;
  addPageCommand(app, page);
  ScanOptions scan;
  addScanCommand(app, scan);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
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
  return 2;
}
