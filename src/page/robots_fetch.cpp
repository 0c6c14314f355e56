#include "page/robots_fetch.h"

namespace korvex {

RobotsFile fetchRobots(HttpConnection& http, const std::string& origin,
                       std::chrono::milliseconds limit, const std::atomic<bool>& cancelled) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string body;
  bool timedOut = false;
  auto sink = [&body](std::string_view chunk) {
    body.append(chunk.substr(0, kMaxRobotsBytes - body.size()));
    return body.size() < kMaxRobotsBytes;
  };
  auto keepGoing = [&] {
    timedOut = std::chrono::steady_clock::now() >= deadline;
    return !timedOut && !cancelled;
  };
  auto sizeHint = [&body](size_t announced) { body.reserve(std::min(announced, kMaxRobotsBytes)); };
  const FetchOutcome got = http.fetch(origin + "/robots.txt", sink, keepGoing, sizeHint);

  RobotsFile file;
  const bool cutByCap = got.stoppedByReader && body.size() >= kMaxRobotsBytes;
  if (got.tooManyRedirections) return file;  // unavailable: allowed
  if (!got.opened || !got.failure.empty() || (got.stoppedByReader && !cutByCap)) {
    file.unreachable =
        "robots.txt could not be read: " + (timedOut    ? std::string("the time limit passed")
                                            : cancelled ? std::string("cancelled")
                                                        : got.failure);
  } else if (got.status >= 500) {
    file.unreachable = "robots.txt answered " + std::to_string(got.status);
  } else if (got.status >= 200 && got.status < 300) {
    file.rules = RobotsRules::parse(body);
  }
  return file;
}

}  // namespace korvex
