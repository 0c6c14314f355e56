// What front ends ask once at start-up, before they offer to scan.
#pragma once

#include <optional>
#include <string>

namespace korvex {

// Why the engine cannot read pages with all its bounds in place here, or nothing.
std::optional<std::string> engineStartupProblem();

}  // namespace korvex
