// Shell completion for korvex-cli, made from its own subcommands and options (so from the
// settings table whose rows make the scan's flags): a new flag cannot be missed. The build runs
// the hidden subcommand "completions bash|zsh" and installs what it prints.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace korvex::cli {

std::string bashCompletion(const CLI::App& app);
std::string zshCompletion(const CLI::App& app);
void addCompletionsCommand(CLI::App& app, std::string& shell);

}  // namespace korvex::cli
