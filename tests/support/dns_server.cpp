#include "support/dns_server.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <vector>

namespace korvex::test {
namespace {

constexpr int kTypeA = 1, kTypeMx = 15, kTypeAaaa = 28;
constexpr int kNoError = 0, kServFail = 2, kNxDomain = 3;

void put16(std::vector<unsigned char>& out, int value) {
  out.push_back(static_cast<unsigned char>(value >> 8));
  out.push_back(static_cast<unsigned char>(value));
}

// One answer record for the question's name (a pointer to it).
void record(std::vector<unsigned char>& out, int type, const std::vector<unsigned char>& data) {
  for (int v : {0xC00C, type, 1, 0, 60, static_cast<int>(data.size())}) put16(out, v);
  out.insert(out.end(), data.begin(), data.end());
}

}  // namespace

DnsServer::DnsServer(std::map<std::string, DnsReply> table)
    : table_(std::move(table)), socket_(::socket(AF_INET, SOCK_DGRAM, 0)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length);
  ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  if (::pipe(stop_) != 0) stop_[0] = stop_[1] = -1;
  thread_ = std::thread([this] { serve(); });
}

DnsServer::~DnsServer() {
  if (::write(stop_[1], "x", 1) != 1) {
  }
  thread_.join();
  ::close(socket_);
  ::close(stop_[0]);
  ::close(stop_[1]);
}

std::string DnsServer::address() const {
  return "127.0.0.1:" + std::to_string(port_);
}

void DnsServer::serve() {
  while (true) {
    pollfd fds[] = {{socket_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 || fds[1].revents) return;
    unsigned char query[512];
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t n = ::recvfrom(socket_, query, sizeof query, 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (n < 17) continue;
    ++queries_;
    // The question: its name's labels, then type and class.
    std::string name;
    size_t at = 12;
    while (at < static_cast<size_t>(n) && query[at] != 0) {
      const size_t label = query[at];
      if (!name.empty()) name += '.';
      for (size_t i = 1; i <= label && at + i < static_cast<size_t>(n); ++i)
        name += static_cast<char>(std::tolower(query[at + i]));
      at += label + 1;
    }
    const size_t questionEnd = at + 5;
    if (questionEnd > static_cast<size_t>(n)) continue;
    const int type = query[at + 1] << 8 | query[at + 2];
    const auto found = table_.find(name);
    const DnsReply kind = found == table_.end() ? DnsReply::NxDomain : found->second;
    if (kind == DnsReply::Silent) continue;
    std::vector<unsigned char> reply(query, query + questionEnd);
    if (kind == DnsReply::Garbage)
      reply = {0xde, 0xad, 0xbe, 0xef, 'g', 'a', 'r', 'b', 'a', 'g', 'e'};
    int rcode = kNoError;
    std::vector<unsigned char> answers;
    int count = 0;
    if (found == table_.end()) {
      count = 0;
    } else if (kind == DnsReply::NxDomain) {
      rcode = kNxDomain;
    } else if (kind == DnsReply::ServFail) {
      rcode = kServFail;
    } else if (type == kTypeMx && (kind == DnsReply::Mx || kind == DnsReply::Truncated)) {
      record(answers, kTypeMx, {0, 10, 2, 'm', 'x', 1, 't', 0});
      count = 1;
      if (kind == DnsReply::Truncated) answers.resize(answers.size() - 6);
    } else if (type == kTypeMx && kind == DnsReply::NullMx) {
      record(answers, kTypeMx, {0, 0, 0});
      count = 1;
    } else if (type == kTypeA && kind == DnsReply::AOnly) {
      record(answers, kTypeA, {127, 0, 0, 1});
      count = 1;
    } else if (type == kTypeAaaa && kind == DnsReply::AaaaOnly) {
      record(answers, kTypeAaaa, std::vector<unsigned char>(16, 1));
      count = 1;
    }
    if (kind != DnsReply::Garbage) {
      reply[2] = static_cast<unsigned char>(0x84 | (query[2] & 0x01));  // an answer, authoritative
      reply[3] = static_cast<unsigned char>(0x80 | rcode);
      reply[6] = 0;
      reply[7] = static_cast<unsigned char>(count);
      reply[8] = reply[9] = reply[10] = reply[11] = 0;
      reply.insert(reply.end(), answers.begin(), answers.end());
    }
    ::sendto(socket_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from),
             fromLength);
  }
}

}  // namespace korvex::test
