// Printing results for people (text), spreadsheets (csv) and programs (json).
#pragma once

#include <string>

namespace korvex::cli {

enum class Format { Text, Csv, Json };

// A CSV field: quoted, inner quotes doubled.
std::string csvField(const std::string& text);

}  // namespace korvex::cli
