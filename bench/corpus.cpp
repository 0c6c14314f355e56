#include "corpus.h"

#include <random>

namespace korvex::bench {

std::string makeCorpus(size_t bytes) {
  std::mt19937 rng(42);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const char* words[] = {"the",     "service", "contact", "our",   "team",   "products",
                                "support", "and",     "for",     "more",  "about",  "company",
                                "news",    "2024",    "price",   "order", "online", "shipping"};
  std::string page;
  page.reserve(bytes + 4096);
  int n = 0;
  while (page.size() < bytes) {
    page += "<!DOCTYPE html><html><head><title>Page " + std::to_string(n) + "</title>\n";
    page +=
        "<link rel=\"stylesheet\" href=\"/css/site.css\"><style>@media screen{body{margin:0}}"
        "@font-face{font-family:x}</style>\n";
    page += "<script>var u='a'+'@'+'b'; function f(){return x@y;}</script></head><body>\n<nav>";
    for (int i = 0; i < 12; ++i)
      page += "<a href=\"/section/" + std::string(words[pick(18)]) + "/" +
              std::to_string(pick(500)) + ".html\" class=\"nav-item\">" + words[pick(18)] + "</a> ";
    page += "</nav>\n<img src=\"/img/logo@2x.png\" alt=\"logo\">\n";
    for (int p = 0; p < 8; ++p) {
      page += "<p>";
      for (int w = 0; w < 60; ++w) {
        page += words[pick(18)];
        page += ' ';
      }
      if (pick(3) == 0)
        page += "Write to <a href=\"mailto:info" + std::to_string(pick(50)) +
                "@example.com\">info" + std::to_string(pick(50)) + "@example.com</a>. ";
      if (pick(4) == 0)
        page += "<a href=\"http://partner" + std::to_string(pick(30)) +
                ".example.org/ref?to=http://other.example.net/x\">partner</a> ";
      page += "</p>\n";
    }
    page +=
        "<footer>Sales: sales@shop.example.com &middot; <a href='../terms.pdf'>Terms</a> "
        "<a href=\"https://secure.example.com/login\">Login</a></footer></body></html>\n";
    ++n;
  }
  return page;
}

}  // namespace korvex::bench
