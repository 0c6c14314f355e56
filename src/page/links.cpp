#include "page/links.h"

#include "base/text.h"
#include "page/url_normalize.h"

namespace korvex {
namespace {

struct SchemeAt {
  size_t pos;
  size_t length;  // 7 for http://, 8 for https://
};

SchemeAt findScheme(std::string_view text, size_t from) {
  const size_t http = findNoCase(text, "http://", from);
  const size_t https = findNoCase(text, "https://", from);
  if (https < http) return {https, 8};
  return {http, 7};
}

}  // namespace

std::string getBaseURL(std::string_view sCurURL, std::string_view sLink) {
  // Only the path makes directories: a "/" in the query or the fragment does not.
  sCurURL = sCurURL.substr(0, sCurURL.find_first_of("?#"));
  const SchemeAt scheme = findScheme(sCurURL, 0);
  const bool hasScheme = scheme.pos != std::string_view::npos;
  // Without a scheme the positions are those "http://" would give at the start.
  const size_t hostSearch = hasScheme ? scheme.pos + scheme.length : 6;
  const size_t hostStart = hasScheme ? scheme.pos + scheme.length : 7;
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

std::string resolveLink(std::string_view sLink, std::string_view sBase,
                        std::string_view sOmitExtensions) {
  std::string link = trimmed(removeChars(sLink, "\"'"));
  if (link.empty()) return {};
  if (startsWithNoCase(link, "mailto:") || startsWithNoCase(link, "ftp")) return {};
  if (startsWithNoCase(link, "javascript:")) return {};
  const std::string_view scheme = schemeOf(link);
  const bool web = equalsNoCase(scheme, "http") || equalsNoCase(scheme, "https");
  // tel:, data:, file: and the like are not pages to crawl; a "www" name is a host.
  if (!scheme.empty() && !web && !startsWithNoCase(link, "www")) return {};
  if (const size_t hash = link.find('#'); hash != std::string::npos) link.resize(hash);
  if (!web) {
    if (startsWithNoCase(link, "www")) {
      link = "http://" + link;
    } else {
      if (link.starts_with('/')) link.erase(0, 1);
      link = std::string(sBase) + link;
    }
  }
  link = removeDotSegments(std::move(link));
  const std::string_view tail =
      std::string_view(link).substr(link.size() < 4 ? 0 : link.size() - 4);
  if (containsNoCase(sOmitExtensions, tail)) return {};
  return link;
}

AttributeValue attributeValueAt(std::string_view page, size_t valueStart) {
  if (valueStart >= page.size()) return {{}, page.size()};
  size_t end = valueStart + 1;  // the first character is taken whatever it is
  while (end < page.size() && page[end] != ' ' && page[end] != '>') ++end;
  return {page.substr(valueStart, end - valueStart), end};
}

std::vector<std::string> splitAtSchemes(std::string_view link) {
  std::vector<std::string> pieces;
  SchemeAt at = findScheme(link, 0);
  pieces.emplace_back(link.substr(0, at.pos));
  while (at.pos != std::string_view::npos) {
    const size_t bodyStart = at.pos + at.length;
    const SchemeAt next = findScheme(link, bodyStart);
    const std::string_view body = trimSpaces(link.substr(bodyStart, next.pos - bodyStart));
    pieces.push_back(body.empty()
                         ? std::string()
                         : asciiLowerCopy(link.substr(at.pos, at.length)) + std::string(body));
    at = next;
  }
  return pieces;
}

}  // namespace korvex
