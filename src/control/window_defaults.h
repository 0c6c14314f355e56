// The values the main window starts with.
#pragma once

#include <string>
#include <string_view>

#include "base/window.h"

namespace korvex {

inline constexpr std::string_view kVersion = KORVEX_VERSION;  // the project's, from CMake
inline constexpr std::string_view kTitle = "Korvex";

// Start-up values of the search parameters; the command line's defaults are the same.
inline constexpr int kDefaultDepth = 5;
inline constexpr int kDefaultThreads = 5;
inline constexpr std::string_view kDefaultMaxPages = "10000";
inline constexpr std::string_view kDefaultMaxTime = "1";
inline constexpr std::string_view kDefaultDelimiter = ";";
inline constexpr std::string_view kDefaultDelayPerHost = "0";
// The grid heading: "Sl.No", "Email" padded to 74 characters, "URL" padded to 171.
std::string gridHeadingFormat();

// Fills the window's fields, options and buttons with their start-up values.
void applyWindowDefaults(Window& window);

}  // namespace korvex
