// Turning link values into absolute URLs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The base a relative link of the page sCurURL is appended to; always ends with "/".
// The host part follows "http://" or "https://", the scheme compared ignoring case; the page's
// query and fragment are left out.
std::string getBaseURL(std::string_view sCurURL, std::string_view sLink);

// The two bases of one page (getBaseURL depends on the link only through its leading "/"),
// computed once for all its links.
class PageBases {
 public:
  explicit PageBases(std::string_view pageUrl)
      : rooted_(getBaseURL(pageUrl, "/")), relative_(getBaseURL(pageUrl, "")) {}
  std::string_view forLink(std::string_view link) const;

 private:
  std::string rooted_;
  std::string relative_;
};

// The file patterns whose links are not followed: a URL is omitted when its last four
// characters occur anywhere in the pattern text, ignoring case. Every four characters of the
// text are kept in a table, so the test costs the same whatever the text.
class OmittedFiles {
 public:
  explicit OmittedFiles(std::string_view patterns);
  bool omitted(std::string_view url) const;

 private:
  std::string patterns_;
  std::vector<uint32_t> quads_;  // sorted
};

// The absolute URL for a link, with its dot segments removed, written into `out`; false for a
// link not to be followed (mail, ftp, script links, any scheme but http and https, omitted
// files). `out` is the caller's, reused from link to link.
bool resolveLinkInto(std::string_view sLink, std::string_view sBase, const OmittedFiles& omit,
                     std::string& out);
// The same as a value: "" for a link not to be followed.
std::string resolveLink(std::string_view sLink, std::string_view sBase,
                        std::string_view sOmitExtensions);

// The value after a name such as "href=" or "src=": it runs from the character right after the
// "=" to the next space or ">". Returns the value and the index of the character that ended it.
struct AttributeValue {
  std::string_view text;
  size_t end;
};
AttributeValue attributeValueAt(std::string_view page, size_t valueStart);

// A link value as links are taken from it: quotes and apostrophes removed, spaces trimmed,
// character references decoded. The value itself when that changes nothing (no copy of a long
// value), else the cleaned text in `scratch`.
std::string_view cleanLinkValue(std::string_view value, std::string& scratch);

// Splits a link value at every embedded "http://" or "https://" (ignoring case), in linear
// time. Calls piece(scheme, body) for each piece in order: piece 0 is the text before the
// first scheme, trimmed, with an empty scheme; every later one is the trimmed text after its
// scheme, with the scheme in small letters.
template <typename OnPiece>
void forEachSchemePiece(std::string_view link, OnPiece&& piece);

}  // namespace korvex

#include "page/links_internal.h"
