// The text and external links of an office file (Office Open XML or OpenDocument): a ZIP of XML
// parts, opened with libzip and read with expat. Every XML part is read, so bodies, tables,
// headers, footers, notes, comments and every sheet give their text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex::docreader {

// A ZIP past these is refused as a bomb, not read in part.
inline constexpr uint64_t kMaxUncompressedBytes = 64u << 20;
inline constexpr int64_t kMaxEntries = 10000;
inline constexpr uint64_t kMaxCompressionRatio = 200;

// Writes the records; the reason when the file cannot be read.
std::optional<std::string> readOffice(std::string_view data);

}  // namespace korvex::docreader
