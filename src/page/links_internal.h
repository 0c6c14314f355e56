// forEachSchemePiece: a template, so the link scan calls its piece handler inline.
#pragma once

#include "base/text.h"

namespace korvex {

template <typename OnPiece>
void forEachSchemePiece(std::string_view link, OnPiece&& piece) {
  if (link.find(':') == std::string_view::npos) {  // the common relative link: one piece
    piece(std::string_view(), trimSpaces(link));
    return;
  }
  NoCaseFinder http(link, "http://");
  NoCaseFinder https(link, "https://");
  struct At {
    size_t pos;
    size_t length;
  };
  auto nextScheme = [&](size_t from) -> At {
    const size_t a = http.next(from);
    const size_t b = https.next(from);
    return b < a ? At{b, 8} : At{a, 7};
  };
  At at = nextScheme(0);
  piece(std::string_view(), trimSpaces(link.substr(0, at.pos)));
  while (at.pos != std::string_view::npos) {
    const size_t bodyStart = at.pos + at.length;
    const At next = nextScheme(bodyStart);
    piece(at.length == 8 ? std::string_view("https://") : std::string_view("http://"),
          trimSpaces(link.substr(bodyStart, next.pos - bodyStart)));
    at = next;
  }
}

}  // namespace korvex
