#include "crawl/engine_profile.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(EngineProfile, EngineReplacesSchemeHostAndPort) {
  struct Case {
    const char* engine;
    std::optional<std::string> address;
  } cases[] = {
      {"http://127.0.0.1:8080", "http://127.0.0.1:8080/search?p="},
      {"HTTPS://search.local/some/path?q=1", "https://search.local/search?p="},
      {"ftp://x", std::nullopt},
      {"http://", std::nullopt},
      {"localhost:80", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.engine);
    const auto p = withEngine({}, c.engine);
    EXPECT_EQ(p ? std::optional(p->searchAddress()) : std::nullopt, c.address);
  }
  EXPECT_EQ(EngineProfile{}.searchAddress(), "http://search.yahoo.com/search?p=");
  EXPECT_EQ(withEngine({}, "http://10.1.2.3:81/")->numericHost, "10.1.2.3");
  EXPECT_EQ(withEngine({}, "http://search.local/")->numericHost, EngineProfile{}.numericHost);
}

}  // namespace
}  // namespace korvex
