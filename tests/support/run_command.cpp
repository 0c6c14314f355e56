#include "support/run_command.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace korvex::test {

CommandResult runCommand(const std::string& command) {
  char errPath[] = "/tmp/korvex-test-stderr-XXXXXX";
  const int fd = mkstemp(errPath);
  close(fd);
  CommandResult r;
  FILE* pipe = popen((command + " </dev/null 2>" + errPath).c_str(), "r");
  if (!pipe) return r;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) r.out.append(buf, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = readFile(errPath);
  unlink(errPath);
  return r;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> lineSet(const std::string& text) {
  std::set<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.insert(line);
  return out;
}

}  // namespace korvex::test
