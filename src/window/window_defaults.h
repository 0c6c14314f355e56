// The values the main window starts with.
#pragma once

#include <string>
#include <string_view>

#include "base/version.h"
#include "window/window.h"

namespace korvex {

inline constexpr std::string_view kTitle = "Korvex";

// The grid heading: "Sl.No", "Email" padded to 74 characters, "URL" padded to 171.
std::string gridHeadingFormat();

// Fills the window's fields, options and buttons with their start-up values.
void applyWindowDefaults(Window& window);

}  // namespace korvex
