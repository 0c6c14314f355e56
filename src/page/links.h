// Turning link values into absolute URLs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The base a relative link of the page sCurURL is appended to; always ends with "/".
// The host part follows "http://" or "https://", the scheme compared ignoring case; the page's
// query and fragment are left out.
std::string getBaseURL(std::string_view sCurURL, std::string_view sLink);

// The absolute URL for a link, with its dot segments removed, or "" for a link not to be
// followed (mail, ftp, script links, any scheme but http and https, files whose last four
// characters stand in the omitted-extension list).
std::string resolveLink(std::string_view sLink, std::string_view sBase,
                        std::string_view sOmitExtensions);

// The value after a name such as "href=" or "src=": it runs from the character right after the
// "=" to the next space or ">". Returns the value and the index of the character that ended it.
struct AttributeValue {
  std::string_view text;
  size_t end;
};
AttributeValue attributeValueAt(std::string_view page, size_t valueStart);

// Splits a link value at every embedded "http://" or "https://" (ignoring case). Piece 0 is the
// text before the first; every later piece gets its own scheme back in small letters.
std::vector<std::string> splitAtSchemes(std::string_view link);

}  // namespace korvex
