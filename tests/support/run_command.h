// Runs a command line and captures what it prints.
#pragma once

#include <set>
#include <string>

namespace korvex::test {

struct CommandResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `command` through the shell with no standard input.
CommandResult runCommand(const std::string& command);

// A file's bytes; "" when it cannot be read.
std::string readFile(const std::string& path);

// The lines of an output, in a set (order aside).
std::set<std::string> lineSet(const std::string& text);

#ifdef KORVEX_CLI
// korvex-cli with these arguments.
inline CommandResult cli(const std::string& args) {
  return runCommand(std::string(KORVEX_CLI) + " " + args);
}
#endif

}  // namespace korvex::test
