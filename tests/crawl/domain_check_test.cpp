// Domains checked against a DNS server of the test's own, for every kind of answer and silence.
#include "crawl/domain_check.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "settings/field_checks.h"
#include "support/dns_server.h"

namespace korvex {
namespace {

using test::DnsReply;

TEST(DomainCheck, EveryKindOfAnswerGivesItsState) {
  const std::map<std::string, std::pair<DnsReply, std::string>> cases = {
      {"mx.test", {DnsReply::Mx, "mail"}},
      {"null.test", {DnsReply::NullMx, "no mail"}},
      {"a.test", {DnsReply::AOnly, "host only"}},
      {"aaaa.test", {DnsReply::AaaaOnly, "host only"}},
      {"gone.test", {DnsReply::NxDomain, "no such domain"}},
      {"broken.test", {DnsReply::ServFail, "unknown: SERVFAIL"}},
      {"silent.test", {DnsReply::Silent, "unknown: timeout"}},
      {"garbage.test", {DnsReply::Garbage, "unknown: timeout"}},
      {"cut.test", {DnsReply::Truncated, "unknown: malformed answer"}},
  };
  std::map<std::string, DnsReply> table;
  for (const auto& [domain, c] : cases) table[domain] = c.first;
  test::DnsServer server(table);
  auto wakeup = std::make_shared<Wakeup>();
  DomainChecker checker({server.address()}, wakeup);
  for (const auto& [domain, c] : cases) checker.check(domain);
  checker.check("mx.test");  // asked once however often it is met
  std::map<std::string, std::string> got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (checker.open() > 0 && std::chrono::steady_clock::now() < deadline) {
    wakeup->waitFor(std::chrono::milliseconds(100));
    for (const auto& [domain, answer] : checker.answers()) got[domain] = describe(answer);
  }
  for (const auto& [domain, answer] : checker.answers()) got[domain] = describe(answer);
  for (const auto& [domain, c] : cases) EXPECT_EQ(got[domain], c.second) << domain;
  EXPECT_LE(server.queries(), 40) << "MX, then A, then AAAA, with c-ares's tries";
  EXPECT_EQ(answerFromText(describe({DomainAnswer::State::Unknown, "timeout"})),
            (DomainAnswer{DomainAnswer::State::Unknown, "timeout"}));
}

TEST(DomainCheck, OpenChecksEndAsNotAnsweredInTime) {
  test::DnsServer server({{"silent.test", DnsReply::Silent}});
  DomainChecker checker({server.address()}, std::make_shared<Wakeup>());
  checker.check("silent.test");
  const auto given = checker.giveUp();
  ASSERT_EQ(given.size(), 1u);
  EXPECT_EQ(describe(given[0].second), "unknown: not answered in time");
  EXPECT_EQ(checker.open(), 0u);
}

TEST(DomainCheck, ServersAndDomainsAreCheckedWhereTheyEnter) {
  for (const char* good : {"127.0.0.1", "127.0.0.1:5353", "::1", "[::1]:53"})
    EXPECT_EQ(checkDnsServer(good), std::nullopt) << good;
  for (const char* bad :
       {"", "localhost", "127.0.0.1:0", "127.0.0.1:99999", "1.2.3", "[::1]", "127.0.0.1:53x"})
    EXPECT_NE(checkDnsServer(bad), std::nullopt) << bad;
  EXPECT_EQ(domainOf("Ann@Example.COM"), "example.com");
  for (const char* none : {"ann", "ann@", "a@b..c", "a@-.", "a@b_c.d"})
    EXPECT_EQ(domainOf(none), "") << none;
}

}  // namespace
}  // namespace korvex
