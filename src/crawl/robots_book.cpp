#include "crawl/robots_book.h"

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "page/robots_fetch.h"
#include "page/url_origin.h"

namespace korvex {

struct RobotsBook::Shared {
  ConnectionSettings connection;
  std::chrono::milliseconds timeLimit;
  std::shared_ptr<HostGate> gate;
  std::shared_ptr<const Wakeup> wakeup;
  int maxReaders;

  mutable std::mutex mutex;
  std::map<std::string, std::optional<RobotsFile>, std::less<>> files;  // empty while read
  std::deque<std::string> queue;
  int readers = 0;
  std::atomic<bool> cancelled{false};

  // One reader thread: takes origins from the queue until it is empty.
  void read() {
    HttpConnection::Opened opened = HttpConnection::open(connection);
    while (true) {
      std::string origin;
      {
        std::lock_guard lock(mutex);
        if (queue.empty() || cancelled) {
          --readers;
          return;
        }
        origin = std::move(queue.front());
        queue.pop_front();
      }
      RobotsFile file;
      if (!opened.connection) {
        file.unreachable = "robots.txt could not be read: " + opened.failure;
      } else if (gate->waitTurn(origin, cancelled)) {
        file = fetchRobots(*opened.connection, origin, timeLimit, cancelled);
      }
      if (const auto delay = file.rules.crawlDelay()) gate->setCrawlDelay(origin, *delay);
      {
        std::lock_guard lock(mutex);
        files[origin] = std::move(file);
      }
      wakeup->notify();
    }
  }
};

RobotsBook::RobotsBook(ConnectionSettings connection, std::chrono::milliseconds timeLimit,
                       std::shared_ptr<HostGate> gate, std::shared_ptr<const Wakeup> wakeup,
                       int readers)
    : shared_(std::make_shared<Shared>()) {
  shared_->connection = std::move(connection);
  shared_->timeLimit = timeLimit;
  shared_->gate = std::move(gate);
  shared_->wakeup = std::move(wakeup);
  shared_->maxReaders = std::max(readers, 1);
}

RobotsBook::~RobotsBook() {
  shared_->cancelled = true;
  shared_->gate->wakeAll();
}

RobotsBook::Verdict RobotsBook::verdict(const std::string& url) {
  const std::optional<UrlOrigin> o = originOf(url);
  if (!o) return {.kind = Verdict::Kind::Allowed};
  std::lock_guard lock(shared_->mutex);
  auto it = shared_->files.find(o->origin);
  if (it == shared_->files.end()) {
    shared_->files.emplace(o->origin, std::nullopt);
    shared_->queue.push_back(o->origin);
    if (shared_->readers < shared_->maxReaders) {
      ++shared_->readers;
      readers_.remove_if([](const OwnedThread& t) { return t.finished(); });
      readers_.emplace_back("korvex-robots", [s = shared_] { s->read(); });
    }
    return {.kind = Verdict::Kind::Pending, .origin = o->origin};
  }
  if (!it->second) return {.kind = Verdict::Kind::Pending, .origin = o->origin};
  if (!it->second->unreachable.empty())
    return {.kind = Verdict::Kind::Refused, .reason = it->second->unreachable, .unreadable = true};
  if (!it->second->rules.allows(o->pathAndQuery))
    return {.kind = Verdict::Kind::Refused, .reason = "disallowed by robots.txt"};
  return {.kind = Verdict::Kind::Allowed};
}

bool RobotsBook::known(const std::string& origin) const {
  std::lock_guard lock(shared_->mutex);
  const auto it = shared_->files.find(origin);
  return it != shared_->files.end() && it->second.has_value();
}

}  // namespace korvex
