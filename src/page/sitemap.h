// Sitemaps (sitemaps.org): the URLs a site lists for crawlers, read with a streaming XML parser.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The protocol's bounds of one file.
inline constexpr size_t kMaxSitemapUrls = 50000;
inline constexpr size_t kMaxSitemapBytes = 50u << 20;  // uncompressed

struct SitemapFile {
  bool index = false;             // a sitemap index: its locations are sitemaps
  std::vector<std::string> locs;  // the <loc> values, entities decoded, in their order
  std::string problem;            // why the file was not read whole; "" when it was
};

// A sitemap as sent: gzip is recognised by its magic bytes, whatever the name or headers.
SitemapFile parseSitemap(std::string_view bytes);

// The "Sitemap:" lines of a robots.txt, which belong to no group.
std::vector<std::string> sitemapLines(std::string_view robotsTxt);

}  // namespace korvex
