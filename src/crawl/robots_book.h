// robots.txt for every origin a scan reaches: read once per scan, on reader threads of its own,
// and asked on the main thread whether a URL may be handed out.
#pragma once

#include <chrono>
#include <list>
#include <memory>
#include <string>

#include "base/wakeup.h"
#include "crawl/host_gate.h"
#include "crawl/owned_thread.h"
#include "page/net_reader.h"

namespace korvex {

class RobotsBook {
 public:
  struct Verdict {
    enum class Kind { Allowed, Refused, Pending } kind;
    std::string reason{};     // Refused: why
    std::string origin{};     // Pending: the origin whose robots.txt is being read
    bool unreadable = false;  // Refused: the robots.txt could not be read
  };

  // At most `readers` robots.txt are read at once; each read is a request through `gate` and
  // sends `wakeup` when it ends.
  RobotsBook(ConnectionSettings connection, std::chrono::milliseconds timeLimit,
             std::shared_ptr<HostGate> gate, std::shared_ptr<const Wakeup> wakeup, int readers);
  // Reads in progress end at their next check; their threads are joined.
  ~RobotsBook();
  RobotsBook(const RobotsBook&) = delete;
  RobotsBook& operator=(const RobotsBook&) = delete;

  // Main thread. Pending starts the read of the URL's robots.txt when it is not under way.
  // A URL without an http or https origin is allowed: reading it fails on its own.
  Verdict verdict(const std::string& url);
  // Whether the origin's robots.txt has been read (or has failed).
  bool known(const std::string& origin) const;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  // Those that finished are joined when the next starts, the others when the book goes: a scan
  // meeting thousands of sites holds no more threads than readers at once.
  std::list<OwnedThread> readers_;
};

}  // namespace korvex
