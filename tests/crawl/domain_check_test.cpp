// What a scan still waits for at its end: every kind of answer is the command line's test.
#include "crawl/domain_check.h"

#include <gtest/gtest.h>

#include "support/dns_server.h"

namespace korvex {
namespace {

using test::DnsReply;

TEST(DomainCheck, OpenChecksEndAsNotAnsweredInTime) {
  test::DnsServer server({{"silent.test", DnsReply::Silent}});
  DomainChecker checker({server.address()}, std::make_shared<Wakeup>());
  checker.check("silent.test");
  const auto given = checker.giveUp();
  ASSERT_EQ(given.size(), 1u);
  EXPECT_EQ(describe(given[0].second), "unknown: not answered in time");
  EXPECT_EQ(checker.open(), 0u);
}

}  // namespace
}  // namespace korvex
