#include "crawl/scope.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(Scope, SitesAreRegistrableDomainsOfThePublicSuffixList) {
  EXPECT_EQ(siteOf("127.0.0.1"), "127.0.0.1");
  const ScopeRule domain(Scope::Domain, {"http://a.example.co.uk/", "https://y.co.uk:8443/x"});
  for (const char* url : {"http://b.example.co.uk/p", "https://EXAMPLE.co.uk", "http://y.co.uk/"})
    EXPECT_TRUE(domain.contains(url)) << url;
  for (const char* url : {"http://x.co.uk/", "http://co.uk/", "ftp://a.example.co.uk/"})
    EXPECT_FALSE(domain.contains(url)) << url;
  const ScopeRule host(Scope::Host, {"http://a.example.co.uk:8080/"});
  EXPECT_TRUE(host.contains("https://A.example.co.uk/other"));
  EXPECT_FALSE(host.contains("http://b.example.co.uk/"));
}

}  // namespace
}  // namespace korvex
