// Runs a command line and captures what it prints.
#pragma once

#include <string>

namespace korvex::test {

struct CommandResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `command` through the shell with no standard input.
CommandResult runCommand(const std::string& command);

}  // namespace korvex::test
