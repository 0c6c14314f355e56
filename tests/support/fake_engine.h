// A search engine served on loopback whose result pages follow the two markup rules keyword mode
// relies on: navigation links carry "navbar/pages/", and every link of interest is a redirect
// link whose target follows "-http://".
#pragma once

#include <string>
#include <vector>

#include "crawl/engine_profile.h"
#include "support/test_server.h"

namespace korvex::test {

// A result link through the first (or second) redirect host.
std::string resultLink(const std::string& target, bool secondHost = false);
// A navigation link to another result page of the engine, its "&" written as "&amp;".
std::string navigationLink(const std::string& target);
// A result page: the given links inside a page of ordinary markup.
std::string resultPage(const std::vector<std::string>& results,
                       const std::vector<std::string>& navigation);
// The profile for an engine served by `server` (its own host counts as the numeric host).
EngineProfile engineProfile(const TestServer& server);

}  // namespace korvex::test
