// Turning link values into absolute URLs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The URL a page's relative links resolve against (RFC 3986, section 5.2): the page's final URL,
// or its <base href>, split once into scheme, authority, path and query.
class LinkBase {
 public:
  explicit LinkBase(std::string_view url);  // its fragment is left out
  // Only an http or https URL with a host ("//" and a name) has relative links.
  bool usable() const { return pathStart_ != 0; }
  const std::string& url() const { return url_; }
  std::string_view scheme() const { return std::string_view(url_).substr(0, schemeEnd_); }
  // The target of a relative reference without scheme and fragment, dot segments still in it.
  void resolveRelative(std::string_view ref, std::string& out) const;

 private:
  std::string url_;
  size_t schemeEnd_ = 0;   // the ":"
  size_t pathStart_ = 0;   // where the authority ends
  size_t queryStart_ = 0;  // where the path ends
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
// link not to be followed: the page itself (empty, or a fragment only), any scheme but http and
// https (mailto:, ftp:, javascript:, tel:...), omitted files. A value beginning with "www." is a
// host. As browsers do for http and https, a backslash before the query is a "/", and spaces,
// control characters and bytes beyond ASCII after the host are percent-encoded. `out` is the
// caller's, reused from link to link.
bool resolveLinkInto(std::string_view sLink, const LinkBase& base, const OmittedFiles& omit,
                     std::string& out);
// The same as a value: "" for a link not to be followed.
std::string resolveLink(std::string_view sLink, std::string_view baseUrl,
                        std::string_view sOmitExtensions);

// Whether the "href=" at `at` belongs to a <base> tag. The tag's "<" is looked for back from
// `at` no further than `from` (where the caller's scan last stopped), so a scan of the page
// walks back over each byte at most once.
bool inBaseTag(std::string_view page, size_t from, size_t at);
// The base that a <base href> value (as a link is taken from it) gives, resolved against the
// page; `page` itself when the value gives no http or https URL.
LinkBase baseFromHref(std::string_view link, const LinkBase& page);
// The base that `text` (the beginning of a page) sets: its first <base href>, else `page`.
LinkBase documentBase(std::string_view text, const LinkBase& page);

// Splits a link value at every embedded "http://" or "https://" (ignoring case), in linear
// time. Calls piece(scheme, body) for each piece in order: piece 0 is the text before the
// first scheme, trimmed, with an empty scheme; every later one is the trimmed text after its
// scheme, with the scheme in small letters.
template <typename OnPiece>
void forEachSchemePiece(std::string_view link, OnPiece&& piece);

}  // namespace korvex

#include "page/links_internal.h"
