#include "page/links.h"

#include <algorithm>
#include <bit>

#include "base/text.h"
#include "page/url_normalize.h"

namespace korvex {
namespace {

uint32_t quadOf(std::string_view four) {
  uint32_t q = 0;
  for (char c : four) q = (q << 8) | static_cast<unsigned char>(asciiLower(c));
  return q;
}

}  // namespace

std::string getBaseURL(std::string_view sCurURL, std::string_view sLink) {
  // Only the path makes directories: a "/" in the query or the fragment does not.
  sCurURL = sCurURL.substr(0, findFirstOf<'?', '#'>(sCurURL));
  const size_t http = findNoCase(sCurURL, "http://");
  const size_t https = findNoCase(sCurURL, "https://");
  const size_t schemePos = std::min(http, https);
  const bool hasScheme = schemePos != std::string_view::npos;
  const size_t schemeEnd = hasScheme ? schemePos + (https < http ? 8 : 7) : 0;
  // Without a scheme the positions are those "http://" would give at the start.
  const size_t hostSearch = hasScheme ? schemeEnd : 6;
  const size_t hostStart = hasScheme ? schemeEnd : 7;
  const size_t slash = sCurURL.find('/', hostSearch);
  const std::string_view hostPart =
      slash == std::string_view::npos ? sCurURL : sCurURL.substr(0, slash + 1);
  const size_t lastSlash = sCurURL.rfind('/');

  std::string base;
  if (lastSlash == std::string_view::npos || lastSlash < hostStart) {
    // The last "/" belongs to the scheme: the URL has no path.
    return std::string(sCurURL) + "/";
  }
  if (trimSpaces(sLink).starts_with('/')) {
    base = hostPart;
  } else if (sCurURL.substr(lastSlash + 1).find('.') != std::string_view::npos) {
    base = sCurURL.substr(0, lastSlash + 1);
  } else {
    base = sCurURL;
  }
  if (!base.ends_with('/')) base += '/';
  return base;
}

std::string_view PageBases::forLink(std::string_view link) const {
  return trimSpaces(link).starts_with('/') ? rooted_ : relative_;
}

OmittedFiles::OmittedFiles(std::string_view patterns) : patterns_(patterns) {
  for (size_t i = 0; i + 4 <= patterns.size(); ++i) quads_.push_back(quadOf(patterns.substr(i, 4)));
  std::sort(quads_.begin(), quads_.end());
  quads_.erase(std::unique(quads_.begin(), quads_.end()), quads_.end());
}

bool OmittedFiles::omitted(std::string_view url) const {
  if (url.size() < 4) return containsNoCase(patterns_, url);
  return std::binary_search(quads_.begin(), quads_.end(), quadOf(url.substr(url.size() - 4)));
}

bool resolveLinkInto(std::string_view sLink, std::string_view sBase, const OmittedFiles& omit,
                     std::string& out) {
  std::string_view link = sLink;
  std::string unquoted;
  if (findFirstOf<'"', '\''>(link) != std::string_view::npos) {
    unquoted = removeChars(link, "\"'");
    link = unquoted;
  }
  link = trimSpaces(link);
  if (link.empty()) return false;
  if (startsWithNoCase(link, "mailto:") || startsWithNoCase(link, "ftp")) return false;
  if (startsWithNoCase(link, "javascript:")) return false;
  const std::string_view scheme = schemeOf(link);
  const bool web = equalsNoCase(scheme, "http") || equalsNoCase(scheme, "https");
  // tel:, data:, file: and the like are not pages to crawl; a "www" name is a host.
  const bool www = startsWithNoCase(link, "www");
  if (!scheme.empty() && !web && !www) return false;
  link = link.substr(0, link.find('#'));
  out.clear();
  out.reserve(sBase.size() + link.size() + 7);  // one allocation at most, for "http://" too
  if (web) {
    out.append(link);
  } else if (www) {
    out.append("http://").append(link);
  } else {
    if (link.starts_with('/')) link.remove_prefix(1);
    out.append(sBase).append(link);
  }
  out = removeDotSegments(std::move(out));
  return !omit.omitted(out);
}

std::string resolveLink(std::string_view sLink, std::string_view sBase,
                        std::string_view sOmitExtensions) {
  std::string out;
  if (!resolveLinkInto(sLink, sBase, OmittedFiles(sOmitExtensions), out)) return {};
  return out;
}

AttributeValue attributeValueAt(std::string_view page, size_t valueStart) {
  if (valueStart >= page.size()) return {page.substr(page.size()), page.size()};
  size_t end = valueStart + 1;  // the first character is taken whatever it is
  // Eight bytes a step: a byte of the word is zero where it equals ' ' or '>'.
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  for (; std::endian::native == std::endian::little && end + 8 <= page.size(); end += 8) {
    const uint64_t word = loadWord(page.data() + end);
    const uint64_t spaces = word ^ (' ' * kOnes);
    const uint64_t closes = word ^ ('>' * kOnes);
    const uint64_t hits =
        ((spaces - kOnes) & ~spaces & kHigh) | ((closes - kOnes) & ~closes & kHigh);
    if (hits)
      return {page.substr(valueStart, end + (std::countr_zero(hits) >> 3) - valueStart),
              end + (std::countr_zero(hits) >> 3)};
  }
  while (end < page.size() && page[end] != ' ' && page[end] != '>') ++end;
  return {page.substr(valueStart, end - valueStart), end};
}

std::string_view cleanLinkValue(std::string_view value, std::string& scratch) {
  // Most values are one quoted link: the link between the quotes is the value, without a copy.
  std::string_view inner = trimSpaces(value);
  if (!inner.empty() && (inner.front() == '"' || inner.front() == '\'')) inner.remove_prefix(1);
  if (!inner.empty() && (inner.back() == '"' || inner.back() == '\'')) inner.remove_suffix(1);
  if (findFirstOf<'"', '\'', '&'>(inner) == std::string_view::npos) return trimSpaces(inner);
  scratch.clear();
  for (size_t from = 0; from < value.size();) {
    const size_t quote = std::min(findFirstOf<'"', '\''>(value, from), value.size());
    scratch.append(value.substr(from, quote - from));
    from = quote + 1;
  }
  const std::string_view kept = trimSpaces(scratch);
  if (kept.size() != scratch.size()) scratch = std::string(kept);
  if (scratch.find('&') != std::string::npos) decodeCharacterReferences(scratch);
  return scratch;
}

}  // namespace korvex
