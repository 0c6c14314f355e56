// A DNS server for tests on loopback UDP: answers each domain as its table says, and counts the
// queries. Stopped by its destructor.
#pragma once

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace korvex::test {

enum class DnsReply { Mx, NullMx, AOnly, AaaaOnly, NxDomain, ServFail, Silent, Garbage, Truncated };

class DnsServer {
 public:
  // A domain not in the table has no record of any kind (NOERROR, no answer).
  explicit DnsServer(std::map<std::string, DnsReply> table);
  ~DnsServer();
  // "127.0.0.1:PORT", as --dns-server takes it.
  std::string address() const;
  int queries() const { return queries_; }

 private:
  void serve();
  // The reply to one query; empty for silence.
  std::vector<unsigned char> answer(const unsigned char* query, size_t size) const;

  std::map<std::string, DnsReply> table_;
  int socket_;
  int stop_[2];
  int port_;
  std::atomic<int> queries_{0};
  std::thread thread_;
};

}  // namespace korvex::test
