// Documents made by the tests: PDFs written object by object, and office files (ZIPs of XML
// parts) written with libzip.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace korvex::test {

struct PdfPage {
  std::string text;                // shown on the page
  std::vector<std::string> links;  // URIs of its link annotations
  std::string operators = "";      // raw content after the text
};

// `pages` as a PDF; with `locked`, encrypted with a user password (not the empty one).
std::string makePdf(const std::vector<PdfPage>& pages, bool locked = false);

// A ZIP of the named parts, deflated.
std::string makeZip(const std::vector<std::pair<std::string, std::string>>& parts);
// Office files holding `address` in the places each keeps text, and `link` as a hyperlink.
std::string makeDocx(const std::string& body, const std::string& header,
                     const std::string& footnote, const std::string& link);
std::string makeXlsx(const std::string& sharedCell, const std::string& inlineCell,
                     const std::string& link);
std::string makePptx(const std::string& slide, const std::string& notes);
std::string makeOdt(const std::string& paragraph, const std::string& link);

}  // namespace korvex::test
