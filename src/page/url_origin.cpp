#include "page/url_origin.h"

#include <curl/curl.h>

#include <memory>

#include "base/text.h"

namespace korvex {
namespace {

struct UrlFree {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

std::optional<std::string> part(CURLU* u, CURLUPart which, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(u, which, &text, flags) != CURLUE_OK || !text) return std::nullopt;
  std::string out(text);
  curl_free(text);
  return out;
}

}  // namespace

std::optional<UrlOrigin> originOf(const std::string& url) {
  std::unique_ptr<CURLU, UrlFree> u(curl_url());
  if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), CURLU_ALLOW_SPACE) != CURLUE_OK)
    return std::nullopt;
  const auto scheme = part(u.get(), CURLUPART_SCHEME);
  const auto host = part(u.get(), CURLUPART_HOST);
  const auto port = part(u.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
  if (!scheme || !host || !port) return std::nullopt;
  const std::string lowerScheme = asciiLowerCopy(*scheme);
  if (lowerScheme != "http" && lowerScheme != "https") return std::nullopt;
  UrlOrigin o;
  o.origin = lowerScheme + "://" + asciiLowerCopy(*host) + ":" + *port;
  o.pathAndQuery = part(u.get(), CURLUPART_PATH).value_or("/");
  if (const auto query = part(u.get(), CURLUPART_QUERY)) o.pathAndQuery += "?" + *query;
  return o;
}

}  // namespace korvex
