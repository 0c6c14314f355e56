#include "session/startup_check.h"

#include "page/net_reader.h"

namespace korvex {

std::optional<std::string> engineStartupProblem() {
  return httpStartupProblem();
}

}  // namespace korvex
