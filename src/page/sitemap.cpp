#include "page/sitemap.h"

#include <expat.h>
#include <zlib.h>

#include <memory>

#include "base/text.h"

namespace korvex {
namespace {

// Inflates a gzip file up to the protocol's bound; "" in `problem` when it was whole.
std::string gunzip(std::string_view bytes, std::string& problem) {
  z_stream z{};
  if (inflateInit2(&z, 15 + 16) != Z_OK) {
    problem = "cannot inflate";
    return {};
  }
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  std::string out;
  char chunk[65536];
  int rc = Z_OK;
  while (rc == Z_OK && out.size() < kMaxSitemapBytes) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - z.avail_out);
    if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) break;  // cut short
  }
  inflateEnd(&z);
  if (out.size() > kMaxSitemapBytes) {
    out.resize(kMaxSitemapBytes);
    problem = "larger than 50 MiB uncompressed";
  } else if (rc != Z_STREAM_END) {
    problem = "damaged gzip";
  }
  return out;
}

// The element's local name: "urlset" of "sm:urlset".
std::string_view localName(const XML_Char* name) {
  std::string_view n(name);
  const size_t colon = n.rfind(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

struct Reading {
  SitemapFile file;
  bool inLoc = false;
  std::string loc;
  XML_Parser parser;

  static void start(void* data, const XML_Char* name, const XML_Char**) {
    auto* r = static_cast<Reading*>(data);
    const std::string_view local = localName(name);
    if (local == "sitemapindex") r->file.index = true;
    if (local == "loc") {
      r->inLoc = true;
      r->loc.clear();
    }
  }
  static void end(void* data, const XML_Char* name) {
    auto* r = static_cast<Reading*>(data);
    if (localName(name) != "loc" || !r->inLoc) return;
    r->inLoc = false;
    const std::string loc = trimmed(replaceAll(replaceAll(r->loc, "\n", " "), "\t", " "));
    if (loc.empty()) return;
    if (r->file.locs.size() >= kMaxSitemapUrls) {
      r->file.problem = "more than 50,000 URLs";
      XML_StopParser(r->parser, XML_FALSE);
      return;
    }
    r->file.locs.push_back(loc);
  }
  static void text(void* data, const XML_Char* s, int length) {
    auto* r = static_cast<Reading*>(data);
    // A URL is short; a <loc> that never ends is not let grow without bound.
    if (r->inLoc && r->loc.size() < 8192) r->loc.append(s, static_cast<size_t>(length));
  }
};

}  // namespace

SitemapFile parseSitemap(std::string_view bytes) {
  std::string inflated, problem;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
      static_cast<unsigned char>(bytes[1]) == 0x8b) {
    inflated = gunzip(bytes, problem);
    bytes = inflated;
  } else if (bytes.size() > kMaxSitemapBytes) {
    bytes = bytes.substr(0, kMaxSitemapBytes);
    problem = "larger than 50 MiB";
  }
  Reading r;
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                 XML_ParserFree);
  if (!parser) return {.index = false, .locs = {}, .problem = "out of memory"};
  r.parser = parser.get();
  XML_SetUserData(parser.get(), &r);
  XML_SetElementHandler(parser.get(), Reading::start, Reading::end);
  XML_SetCharacterDataHandler(parser.get(), Reading::text);
  if (XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) ==
          XML_STATUS_ERROR &&
      r.file.problem.empty())
    r.file.problem = std::string("not XML: ") + XML_ErrorString(XML_GetErrorCode(parser.get()));
  if (r.file.problem.empty()) r.file.problem = problem;
  return std::move(r.file);
}

std::vector<std::string> sitemapLines(std::string_view robotsTxt) {
  std::vector<std::string> found;
  for (size_t at = 0; at < robotsTxt.size();) {
    const size_t end = std::min(robotsTxt.find('\n', at), robotsTxt.size());
    std::string_view line = trimSpaces(robotsTxt.substr(at, end - at));
    at = end + 1;
    line = line.substr(0, std::min(line.find('#'), line.size()));
    if (!startsWithNoCase(line, "sitemap:")) continue;
    std::string url = trimmed(line.substr(8));
    while (!url.empty() && (url.back() == '\r' || url.back() == '\t')) url.pop_back();
    if (!url.empty()) found.push_back(url);
  }
  return found;
}

}  // namespace korvex
