#include "hostile_pages.h"

#include "corpus.h"

namespace korvex::bench {
namespace {

std::string repeated(std::string_view unit, size_t bytes) {
  std::string out;
  out.reserve(bytes + unit.size());
  while (out.size() < bytes) out.append(unit);
  return out;
}

std::string inLink(std::string value) {
  return "<a href=\"" + value + "\">x</a>";
}

}  // namespace

std::string distinctAddresses(size_t bytes, const std::string& prefix) {
  std::string out;
  out.reserve(bytes + 64);
  for (size_t i = 0; out.size() < bytes; ++i)
    out += prefix + std::to_string(i) + "@d" + std::to_string(i % 9973) + ".example.com ";
  return out;
}

std::vector<HostilePage> hostilePages(size_t bytes) {
  const size_t half = bytes / 2;
  std::string frames;
  for (size_t i = 0; frames.size() < bytes; ++i)
    frames += "<frame src=\"f" + std::to_string(i) + ".html\">";
  return {
      {"plain page", Scanner::Page, makeCorpus(bytes)},
      {"value of repeated http://", Scanner::Page, inLink(repeated("http://", bytes))},
      {"value of repeated https://", Scanner::Page, inLink(repeated("https://", bytes))},
      {"value of alternating schemes", Scanner::Page, inLink(repeated("http://https://", bytes))},
      {"href= repeated with no value", Scanner::Page, repeated("href=", bytes)},
      {"unclosed quoted values", Scanner::Page, repeated("href=\"", bytes)},
      {"unclosed escaped values", Scanner::Page, repeated("href=\\\\\\\"", bytes)},
      {"escaped tag openings", Scanner::Page, repeated("&lt;a href=x ", bytes)},
      {"spaces before =", Scanner::Page, "href" + std::string(bytes, ' ') + "="},
      {"one link of the whole page", Scanner::Page, inLink("/" + std::string(bytes, 'a'))},
      {"address characters without @", Scanner::Page, std::string(bytes, 'a')},
      {"address characters with @", Scanner::Page,
       std::string(half, 'a') + "@" + std::string(half, 'b') + ".com"},
      {"@ repeated", Scanner::Page, std::string(bytes, '@')},
      {"a@ repeated", Scanner::Page, repeated("a@", bytes)},
      {"local part before one @", Scanner::Page, std::string(bytes, 'x') + "@example.com"},
      {"frame sources", Scanner::Page, frames},
      {"distinct addresses", Scanner::Page, distinctAddresses(bytes, "a")},
      {"1,000 page keywords", Scanner::Keywords, makeCorpus(bytes)},
      {"navigation markers", Scanner::ResultPage, repeated("navbar/pages/", bytes)},
      {"link cuts", Scanner::ResultPage, repeated("rds.yahoo.com/-http://", bytes)},
  };
}

std::vector<std::string> hostileKeywords(size_t count) {
  std::vector<std::string> keywords;
  for (size_t i = 0; i < count; ++i) keywords.push_back("zq" + std::to_string(i) + "xj");
  return keywords;
}

}  // namespace korvex::bench
