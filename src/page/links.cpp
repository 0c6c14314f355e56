#include "page/links.h"

#include <algorithm>

#include "base/text.h"
#include "page/attribute_scan.h"
#include "page/url_normalize.h"

namespace korvex {
namespace {

uint32_t quadOf(std::string_view four) {
  uint32_t q = 0;
  for (char c : four) q = (q << 8) | static_cast<unsigned char>(asciiLower(c));
  return q;
}

}  // namespace

// A base is parsed as a browser parses a URL: its own dot segments are gone.
LinkBase::LinkBase(std::string_view url)
    : url_(removeDotSegments(std::string(url.substr(0, url.find('#'))))) {
  const std::string_view scheme = schemeOf(url_);
  if (!equalsNoCase(scheme, "http") && !equalsNoCase(scheme, "https")) return;
  if (url_.compare(scheme.size(), 3, "://") != 0) return;
  const size_t pathStart = std::min(findFirstOf<'/', '?'>(url_, scheme.size() + 3), url_.size());
  if (pathStart == scheme.size() + 3) return;  // no host
  schemeEnd_ = scheme.size();
  pathStart_ = pathStart;
  queryStart_ = std::min(url_.find('?', pathStart_), url_.size());
}

void LinkBase::resolveRelative(std::string_view ref, std::string& out) const {
  const std::string_view url = url_;
  out.clear();
  out.reserve(url.size() + ref.size() + 1);  // one allocation
  if (ref.starts_with("//")) {
    out.append(url.substr(0, schemeEnd_ + 1));
  } else if (ref.starts_with('/')) {
    out.append(url.substr(0, pathStart_));
  } else if (ref.starts_with('?')) {
    out.append(url.substr(0, queryStart_));
  } else if (pathStart_ == queryStart_) {  // no path: the root's
    out.append(url.substr(0, pathStart_)).push_back('/');
  } else {  // the base's path up to its last "/"
    out.append(url.substr(0, url.rfind('/', queryStart_ - 1) + 1));
  }
  out.append(ref);
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

bool resolveLinkInto(std::string_view sLink, const LinkBase& base, const OmittedFiles& omit,
                     std::string& out) {
  std::string_view link = sLink;
  std::string unquoted;
  if (findFirstOf<'"', '\''>(link) != std::string_view::npos) {
    unquoted = removeChars(link, "\"'");
    link = unquoted;
  }
  link = trimSpaces(link);
  link = link.substr(0, link.find('#'));
  std::string slashed;
  if (const size_t query = std::min(link.find('?'), link.size());
      link.substr(0, query).find('\\') != std::string_view::npos) {
    slashed.assign(link);
    std::replace(slashed.begin(), slashed.begin() + static_cast<std::ptrdiff_t>(query), '\\', '/');
    link = slashed;
  }
  if (link.empty()) return false;  // the page itself
  if (startsWithNoCase(link, "www.")) {
    out.assign("http://").append(link);
  } else if (const std::string_view scheme = schemeOf(link); !scheme.empty()) {
    if (!equalsNoCase(scheme, "http") && !equalsNoCase(scheme, "https")) return false;
    const std::string_view rest = link.substr(scheme.size() + 1);
    if (rest.starts_with("//")) {
      out.assign(link);
    } else if (equalsNoCase(scheme, base.scheme()) && base.usable() && !rest.empty()) {
      base.resolveRelative(rest, out);  // "http:g" on an http page, as browsers take it
    } else {
      return false;
    }
  } else {
    if (!base.usable() || link.starts_with("///")) return false;  // no host
    base.resolveRelative(link, out);
  }
  out = removeDotSegments(std::move(out));
  percentEncodeForRequest(out);
  return !omit.omitted(out);
}

std::string resolveLink(std::string_view sLink, std::string_view baseUrl,
                        std::string_view sOmitExtensions) {
  std::string out;
  if (!resolveLinkInto(sLink, LinkBase(baseUrl), OmittedFiles(sOmitExtensions), out)) return {};
  return out;
}

bool inBaseTag(std::string_view page, size_t from, size_t at) {
  size_t i = at;
  while (i > from && page[i - 1] != '<' && page[i - 1] != '>') --i;
  if (i == from || page[i - 1] != '<') return false;
  const std::string_view tag = page.substr(i - 1, 6);
  return tag.size() == 6 && startsWithNoCase(tag, "<base") &&
         (tag[5] == ' ' || tag[5] == '\t' || tag[5] == '\r' || tag[5] == '\n');
}

LinkBase baseFromHref(std::string_view link, const LinkBase& page) {
  std::string url;
  if (!resolveLinkInto(link, page, OmittedFiles(""), url)) return page;
  LinkBase base(url);
  return base.usable() ? base : page;
}

LinkBase documentBase(std::string_view text, const LinkBase& page) {
  AttributeScanner hrefs(text, "href");
  std::string scratch;
  size_t from = 0;
  for (auto found = hrefs.next(0); found; found = hrefs.next(from)) {
    if (inBaseTag(text, from, found->name)) return baseFromHref(linkText(*found, scratch), page);
    from = found->end;
  }
  return page;
}

}  // namespace korvex
