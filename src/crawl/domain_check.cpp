#include "crawl/domain_check.h"

#include <ares.h>
#include <poll.h>
#include <pthread.h>

#include <set>

#include "base/text.h"

namespace korvex {
namespace {

constexpr int kClassIn = 1;
constexpr int kTypeA = 1, kTypeMx = 15, kTypeAaaa = 28;
constexpr std::chrono::milliseconds kLongestSleep{1000};

const char* stateName(DomainAnswer::State state) {
  switch (state) {
    case DomainAnswer::State::Mail:
      return "mail";
    case DomainAnswer::State::NoMail:
      return "no mail";
    case DomainAnswer::State::HostOnly:
      return "host only";
    case DomainAnswer::State::NoSuchDomain:
      return "no such domain";
    case DomainAnswer::State::Unknown:
      break;
  }
  return "unknown";
}

std::string failureReason(int status) {
  switch (status) {
    case ARES_ETIMEOUT:
      return "timeout";
    case ARES_ESERVFAIL:
      return "SERVFAIL";
    case ARES_EREFUSED:
      return "refused";
    case ARES_EBADRESP:
    case ARES_EFORMERR:
      return "malformed answer";
    case ARES_ECONNREFUSED:
      return "connection refused";
    default:
      return ares_strerror(status);
  }
}

}  // namespace

std::string describe(const DomainAnswer& answer) {
  if (answer.state == DomainAnswer::State::Unknown) return "unknown: " + answer.reason;
  return stateName(answer.state);
}

std::optional<DomainAnswer> answerFromText(std::string_view text) {
  using S = DomainAnswer::State;
  for (S state : {S::Mail, S::NoMail, S::HostOnly, S::NoSuchDomain})
    if (text == stateName(state)) return DomainAnswer{state};
  if (text.starts_with("unknown: ") && text.size() > 9)
    return DomainAnswer{S::Unknown, std::string(text.substr(9))};
  return std::nullopt;
}

// The resolver's thread and what it shares with the scan's.
struct DomainChecker::Loop {
  struct Lookup {
    Loop* loop;
    std::string domain;
    int type;
  };

  std::shared_ptr<const Wakeup> wakeup;
  Wakeup requests;  // wakes the resolver's thread
  ares_channel channel = nullptr;
  std::string unusable;  // why the resolver could not be made
  int inFlight = 0;      // the resolver's thread only

  mutable std::mutex mutex;
  std::set<std::string, std::less<>> open;
  std::deque<std::string> waiting;
  std::vector<std::pair<std::string, DomainAnswer>> done;
  bool stopping = false;

  void answer(const std::string& domain, DomainAnswer a) {
    {
      std::lock_guard lock(mutex);
      if (open.erase(domain) == 0) return;  // given up
      done.emplace_back(domain, std::move(a));
    }
    wakeup->notify();
  }

  void ask(Lookup* lookup) {
    ares_query(channel, lookup->domain.c_str(), kClassIn, lookup->type, &Loop::onAnswer, lookup);
  }

  // The next query of a lookup, or its answer.
  static void onAnswer(void* arg, int status, int /*timeouts*/, unsigned char* reply, int length) {
    auto* lookup = static_cast<Lookup*>(arg);
    Loop& loop = *lookup->loop;
    if (status == ARES_EDESTRUCTION || status == ARES_ECANCELLED) {
      delete lookup;
      return;
    }
    using S = DomainAnswer::State;
    std::optional<DomainAnswer> result;
    if (status == ARES_ENOTFOUND) {
      result = DomainAnswer{S::NoSuchDomain};
    } else if (status != ARES_SUCCESS && status != ARES_ENODATA) {
      result = DomainAnswer{S::Unknown, failureReason(status)};
    } else if (status == ARES_SUCCESS) {
      result = readReply(lookup->type, reply, length);
    }
    if (!result && lookup->type != kTypeAaaa) {
      lookup->type = lookup->type == kTypeMx ? kTypeA : kTypeAaaa;
      loop.ask(lookup);
      return;
    }
    loop.answer(lookup->domain, result.value_or(DomainAnswer{S::NoSuchDomain}));
    --loop.inFlight;
    delete lookup;
  }

  // What a reply of records of `type` says; nothing when it holds none of them.
  static std::optional<DomainAnswer> readReply(int type, const unsigned char* reply, int length) {
    using S = DomainAnswer::State;
    int rc = ARES_ENODATA;
    if (type == kTypeMx) {
      ares_mx_reply* mx = nullptr;
      rc = ares_parse_mx_reply(reply, length, &mx);
      if (rc == ARES_SUCCESS) {
        // RFC 7505: a single MX of preference 0 to the root says the domain takes no mail.
        const bool nullMx = mx && !mx->next && mx->priority == 0 && mx->host[0] == '\0';
        ares_free_data(mx);
        return DomainAnswer{nullMx ? S::NoMail : S::Mail};
      }
    } else if (type == kTypeA) {
      ares_addrttl addresses[4];
      int count = 4;
      rc = ares_parse_a_reply(reply, length, nullptr, addresses, &count);
      if (rc == ARES_SUCCESS && count > 0) return DomainAnswer{S::HostOnly};
    } else {
      ares_addr6ttl addresses[4];
      int count = 4;
      rc = ares_parse_aaaa_reply(reply, length, nullptr, addresses, &count);
      if (rc == ARES_SUCCESS && count > 0) return DomainAnswer{S::HostOnly};
    }
    if (rc == ARES_SUCCESS || rc == ARES_ENODATA) return std::nullopt;
    return DomainAnswer{S::Unknown, "malformed answer"};
  }

  void run() {
    while (true) {
      std::vector<std::string> starting;
      {
        std::lock_guard lock(mutex);
        if (stopping) return;
        while (inFlight + static_cast<int>(starting.size()) < kDomainChecksInFlight &&
               !waiting.empty()) {
          starting.push_back(std::move(waiting.front()));
          waiting.pop_front();
        }
      }
      for (std::string& domain : starting) {
        ++inFlight;
        if (!channel) {
          answer(domain, {DomainAnswer::State::Unknown, unusable});
          --inFlight;
          continue;
        }
        ask(new Lookup{this, std::move(domain), kTypeMx});
      }
      waitAndProcess();
    }
  }

  void waitAndProcess() {
    pollfd fds[ARES_GETSOCK_MAXNUM + 1];
    fds[0] = {requests.fd(), POLLIN, 0};
    nfds_t count = 1;
    ares_socket_t sockets[ARES_GETSOCK_MAXNUM];
    const int bits = channel ? ares_getsock(channel, sockets, ARES_GETSOCK_MAXNUM) : 0;
    for (int i = 0; i < ARES_GETSOCK_MAXNUM; ++i) {
      const short events = static_cast<short>((ARES_GETSOCK_READABLE(bits, i) ? POLLIN : 0) |
                                              (ARES_GETSOCK_WRITABLE(bits, i) ? POLLOUT : 0));
      if (events) fds[count++] = {sockets[i], events, 0};
    }
    timeval longest{0, static_cast<suseconds_t>(kLongestSleep.count() * 1000)};
    timeval next = longest;
    const timeval* sleep = channel ? ares_timeout(channel, &longest, &next) : &longest;
    const int ms = static_cast<int>(sleep->tv_sec * 1000 + sleep->tv_usec / 1000);
    poll(fds, count, ms);
    if (fds[0].revents) requests.waitFor(std::chrono::milliseconds(0));
    if (!channel) return;
    bool processed = false;
    for (nfds_t i = 1; i < count; ++i) {
      if (!fds[i].revents) continue;
      processed = true;
      const bool readable = fds[i].revents & (POLLIN | POLLERR | POLLHUP);
      ares_process_fd(channel, readable ? fds[i].fd : ARES_SOCKET_BAD,
                      fds[i].revents & POLLOUT ? fds[i].fd : ARES_SOCKET_BAD);
    }
    if (!processed) ares_process_fd(channel, ARES_SOCKET_BAD, ARES_SOCKET_BAD);  // timeouts
  }
};

DomainChecker::DomainChecker(std::vector<std::string> servers, std::shared_ptr<const Wakeup> wakeup)
    : loop_(std::make_shared<Loop>()) {
  loop_->wakeup = std::move(wakeup);
  static std::once_flag library;
  std::call_once(library, [] { ares_library_init(ARES_LIB_INIT_ALL); });
  ares_options options{};
  // A SERVFAIL or a refusal is the answer, not a reason to ask again.
  options.flags = ARES_FLAG_NOSEARCH | ARES_FLAG_NOALIASES | ARES_FLAG_NOCHECKRESP;
  options.tries = 2;
  // c-ares doubles a try's time for each round over the servers: 3 times the first in all.
  const auto rounds = static_cast<long>(3 * std::max<size_t>(servers.size(), 1));
  // A second of the query's time is kept back, so that c-ares says "timeout" before the scan's
  // end stops waiting for it, however busy the machine.
  options.timeout = static_cast<int>(std::max((kDnsQueryTime.count() - 1000) / rounds, 100L));
  const int mask = ARES_OPT_FLAGS | ARES_OPT_TRIES | ARES_OPT_TIMEOUTMS;
  int rc = ares_init_options(&loop_->channel, &options, mask);
  std::string csv;
  for (const std::string& s : servers) csv += (csv.empty() ? "" : ",") + s;
  if (rc == ARES_SUCCESS && !csv.empty())
    rc = ares_set_servers_ports_csv(loop_->channel, csv.c_str());
  if (rc != ARES_SUCCESS) {
    loop_->unusable = std::string("the resolver cannot be used: ") + ares_strerror(rc);
    if (loop_->channel) ares_destroy(loop_->channel);
    loop_->channel = nullptr;
  }
  thread_ = std::thread([loop = loop_] {
    pthread_setname_np(pthread_self(), "korvex-dns");
    loop->run();
  });
}

DomainChecker::~DomainChecker() {
  {
    std::lock_guard lock(loop_->mutex);
    loop_->stopping = true;
  }
  loop_->requests.notify();
  thread_.join();
  if (loop_->channel) ares_destroy(loop_->channel);
}

void DomainChecker::check(const std::string& domain) {
  {
    std::lock_guard lock(loop_->mutex);
    if (!loop_->open.insert(domain).second) return;
    loop_->waiting.push_back(domain);
  }
  loop_->requests.notify();
}

std::vector<std::pair<std::string, DomainAnswer>> DomainChecker::answers() {
  std::lock_guard lock(loop_->mutex);
  return std::exchange(loop_->done, {});
}

size_t DomainChecker::open() const {
  std::lock_guard lock(loop_->mutex);
  return loop_->open.size();
}

std::vector<std::pair<std::string, DomainAnswer>> DomainChecker::giveUp() {
  std::lock_guard lock(loop_->mutex);
  std::vector<std::pair<std::string, DomainAnswer>> given = std::exchange(loop_->done, {});
  for (const std::string& domain : loop_->open)
    given.emplace_back(domain, DomainAnswer{DomainAnswer::State::Unknown, "not answered in time"});
  loop_->open.clear();
  loop_->waiting.clear();
  return given;
}

}  // namespace korvex
