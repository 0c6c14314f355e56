// Printing results for people (text), spreadsheets (csv) and programs (json).
#pragma once

#include <string>
#include <vector>

namespace korvex::cli {

enum class Format { Text, Csv, Json };

struct FoundEmail {
  std::string email;
  std::string url;
};

// A CSV field: quoted, inner quotes doubled.
std::string csvField(const std::string& text);

}  // namespace korvex::cli
