// A page corpus shaped like real pages: navigation, paragraphs, contact blocks, scripts and
// style sheets (whose "@" are not addresses), image names, and relative and absolute links.
#pragma once

#include <string>

namespace korvex::bench {

// About `bytes` of HTML, the same for every run.
std::string makeCorpus(size_t bytes);

}  // namespace korvex::bench
