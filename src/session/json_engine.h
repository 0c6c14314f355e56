// A metasearch engine that answers JSON: asked URL?q=WORDS&format=json&pageno=N, it gives its
// results as {"results": [{"url": ...}, ...]}.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "page/page_reader.h"

namespace korvex {

// At most this many result pages are asked for.
inline constexpr int kMaxJsonEnginePages = 10;

std::string jsonEngineAddress(const std::string& engine, const std::string& words, int page);

struct JsonEngineAnswer {
  std::vector<std::string> urls;       // the results' URLs, in their order
  std::optional<std::string> problem;  // why the answer cannot be used
};
JsonEngineAnswer readJsonEngineAnswer(const ReadResult& read);

}  // namespace korvex
