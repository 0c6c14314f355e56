// Every link the extractor queues is absolute (http or https) or was dropped, is queued once,
// and resolves to itself again; a relative reference resolves to the URL libcurl's URL API
// gives for it.
#include <curl/curl.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

#include "base/text.h"
#include "page/cnetget.h"
#include "page/links.h"

namespace {

// The URL characters of the first line of `text` (at most 64), those of `extra` included.
std::string urlCharacters(std::string_view text, std::string_view extra) {
  std::string out;
  for (char c : text.substr(0, std::min(text.find('\n'), size_t{64})))
    if (std::isalnum(static_cast<unsigned char>(c)) || extra.find(c) != std::string_view::npos)
      out += c;
  return out;
}

// libcurl's spelling of a URL, or of `ref` resolved against `base` when one is given.
std::optional<std::string> curlUrl(const std::string& url, const std::string& ref = {}) {
  CURLU* h = curl_url();
  std::optional<std::string> out;
  char* text = nullptr;
  if (curl_url_set(h, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
      (ref.empty() || curl_url_set(h, CURLUPART_URL, ref.c_str(), 0) == CURLUE_OK) &&
      curl_url_get(h, CURLUPART_URL, &text, 0) == CURLUE_OK)
    out = text;
  curl_free(text);
  curl_url_cleanup(h);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvex;
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The first line is the page's URL (its URL characters), the rest its text.
  const size_t nl = input.find('\n');
  const std::string pageUrl = "http://" + urlCharacters(input, "./:-_?=&%");
  const std::string page = nl == std::string::npos ? input : input.substr(nl + 1);
  CNetGet net(PageSettings{});
  net.cancel();  // frame sources are not read
  const PageResult r =
      net.processText(page, pageUrl, {.url = pageUrl, .level = 1, .maxDepth = 2}, {});
  std::set<std::string> seen;
  for (const std::string& link : r.links) {
    if (!startsWithNoCase(link, "http")) std::abort();
    if (!seen.insert(asciiLowerCopy(link)).second) std::abort();
    if (resolveLink(link, pageUrl, kOmitExtensions) != link) std::abort();
  }
  // The first line of the text as a relative reference (no scheme, no fragment), against a
  // page URL with a host. Empty segments ("//" inside a path) are left out: libcurl 7.88 merges
  // and removes dot segments around them otherwise than RFC 3986 and browsers do; "www." names a
  // host here.
  const std::string ref = urlCharacters(page, "./-_?=&;");
  const std::optional<std::string> expected = curlUrl(pageUrl, ref);
  if (ref.empty() || ref.find("//", 1) != std::string::npos || ref.starts_with("///") ||
      startsWithNoCase(ref, "www.") || !expected || pageUrl.size() == 7 || pageUrl[7] == '/' ||
      pageUrl[7] == '?' || pageUrl.find("//", 7) != std::string::npos)
    return 0;
  const std::string resolved = resolveLink(ref, pageUrl, "");
  if (resolved.empty() || curlUrl(resolved) != expected) std::abort();
  return 0;
}
