// Domain checks against a DNS server of the benchmark's own on loopback:
//   dns_bench domains [N]   N distinct domains (default 10,000) through the checker: time,
//                           queries per second and the process's peak memory;
//   dns_bench serve         a server answering every name with an MX record, its address on
//                           stdout, until stdin closes (for a crawl with --check-domains).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "crawl/domain_check.h"
#include "support/dns_server.h"

namespace {

int checkDomains(int count) {
  std::map<std::string, korvex::test::DnsReply> table;
  for (int i = 0; i < count; ++i)
    table["d" + std::to_string(i) + ".test"] =
        i % 3 == 0 ? korvex::test::DnsReply::Mx : korvex::test::DnsReply::AOnly;
  korvex::test::DnsServer server(table);
  auto wakeup = std::make_shared<korvex::Wakeup>();
  const auto start = std::chrono::steady_clock::now();
  korvex::DomainChecker checker({server.address()}, wakeup);
  for (int i = 0; i < count; ++i) checker.check("d" + std::to_string(i) + ".test");
  size_t answered = 0;
  while (checker.open() > 0) {
    wakeup->waitFor(std::chrono::milliseconds(100));
    answered += checker.answers().size();
  }
  answered += checker.answers().size();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "| domains | answered | seconds | queries | queries/s | peak MiB |\n"
      "|---|---|---|---|---|---|\n| %d | %zu | %.2f | %d | %.0f | %.1f |\n",
      count, answered, seconds, server.queries(), server.queries() / seconds,
      usage.ru_maxrss / 1024.0);
  return answered == static_cast<size_t>(count) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "domains") return checkDomains(argc > 2 ? std::stoi(argv[2]) : 10000);
  if (mode == "serve") {
    korvex::test::DnsServer server({{"site.test", korvex::test::DnsReply::Mx}});
    std::cout << server.address() << std::endl;
    std::string ignored;
    while (std::getline(std::cin, ignored)) {
    }
    return 0;
  }
  std::fprintf(stderr, "usage: dns_bench domains [N] | dns_bench serve\n");
  return 2;
}
