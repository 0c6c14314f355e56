#include "crawl/engine_profile.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(EngineProfile, EngineReplacesSchemeHostAndPort) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"http://127.0.0.1:8080", "http://127.0.0.1:8080/search?p="},
      {"HTTPS://search.local/some/path?q=1", "https://search.local/search?p="},
      {"ftp://x", std::nullopt},
      {"http://", std::nullopt},
      {"localhost:80", std::nullopt},
  };
  for (const auto& [engine, address] : cases) {
    SCOPED_TRACE(engine);
    const auto p = withEngine({}, engine);
    EXPECT_EQ(p ? std::optional(p->searchAddress()) : std::nullopt, address);
  }
  EXPECT_EQ(withEngine({}, "http://10.1.2.3:81/")->numericHost, "10.1.2.3");
  EXPECT_EQ(withEngine({}, "http://search.local/")->numericHost, EngineProfile{}.numericHost);
}

}  // namespace
}  // namespace korvex
