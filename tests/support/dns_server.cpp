#include "support/dns_server.h"

#include <arpa/inet.h>
#include <ldns/ldns.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

#include "base/text.h"

namespace korvex::test {
namespace {

// The record that answers a question of `type` about a domain of this kind; nullptr when none.
const char* recordFor(ldns_rr_type type, DnsReply kind) {
  if (type == LDNS_RR_TYPE_MX && (kind == DnsReply::Mx || kind == DnsReply::Truncated))
    return "MX 10 mx.t.";
  if (type == LDNS_RR_TYPE_MX && kind == DnsReply::NullMx) return "MX 0 .";
  if (type == LDNS_RR_TYPE_A && kind == DnsReply::AOnly) return "A 127.0.0.1";
  if (type == LDNS_RR_TYPE_AAAA && kind == DnsReply::AaaaOnly) return "AAAA ::1";
  return nullptr;
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

std::vector<unsigned char> DnsServer::answer(const unsigned char* query, size_t size) const {
  ldns_pkt* parsed = nullptr;
  if (ldns_wire2pkt(&parsed, query, size) != LDNS_STATUS_OK) return {};
  // The query becomes its own reply: its id, flags and question stay.
  const std::unique_ptr<ldns_pkt, decltype(&ldns_pkt_free)> reply(parsed, ldns_pkt_free);
  const ldns_rr* question = ldns_rr_list_rr(ldns_pkt_question(reply.get()), 0);
  if (!question) return {};
  char* owner = ldns_rdf2str(ldns_rr_owner(question));
  const std::string name = asciiLowerCopy(owner ? owner : "");
  free(owner);
  const auto found = name.empty() ? table_.end() : table_.find(name.substr(0, name.size() - 1));
  // ldns's own bool macros rule std::optional out here.
  const DnsReply* kind = found == table_.end() ? nullptr : &found->second;
  const auto is = [kind](DnsReply r) { return kind && *kind == r; };
  if (is(DnsReply::Silent)) return {};
  if (is(DnsReply::Garbage)) return {0xde, 0xad, 0xbe, 0xef, 'g', 'a', 'r', 'b', 'a', 'g', 'e'};
  ldns_pkt_set_qr(reply.get(), true);
  ldns_pkt_set_aa(reply.get(), true);
  ldns_pkt_set_rcode(reply.get(), is(DnsReply::NxDomain)   ? LDNS_RCODE_NXDOMAIN
                                  : is(DnsReply::ServFail) ? LDNS_RCODE_SERVFAIL
                                                           : LDNS_RCODE_NOERROR);
  ldns_rr* record = nullptr;
  const char* data = kind ? recordFor(ldns_rr_get_type(question), *kind) : nullptr;
  if (data && ldns_rr_new_frm_str(&record, (name + " 60 IN " + data).c_str(), 0, nullptr,
                                  nullptr) == LDNS_STATUS_OK)
    ldns_pkt_push_rr(reply.get(), LDNS_SECTION_ANSWER, record);
  std::vector<unsigned char> out;
  uint8_t* wire = nullptr;
  size_t length = 0;
  if (ldns_pkt2wire(&wire, reply.get(), &length) == LDNS_STATUS_OK) out.assign(wire, wire + length);
  free(wire);
  if (is(DnsReply::Truncated) && out.size() > 6) out.resize(out.size() - 6);  // into MX's name
  return out;
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
    if (n <= 0) continue;
    ++queries_;
    const std::vector<unsigned char> reply = answer(query, static_cast<size_t>(n));
    if (!reply.empty())
      ::sendto(socket_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from),
               fromLength);
  }
}

}  // namespace korvex::test
