#pragma once

#include <string_view>

namespace korvex {

inline constexpr std::string_view kVersion = KORVEX_VERSION;  // the project's, from CMake

}  // namespace korvex
