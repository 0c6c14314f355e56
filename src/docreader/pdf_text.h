// A PDF's text, page by page, and the URIs of its link annotations, through poppler-glib.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex::docreader {

// A PDF with more pages is refused, not read in part.
inline constexpr int kMaxPdfPages = 2000;

// Writes the records; the reason when the document cannot be read.
std::optional<std::string> readPdf(std::string_view data);

}  // namespace korvex::docreader
