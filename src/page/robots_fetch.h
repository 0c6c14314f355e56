// Reading an origin's robots.txt and what its answer allows (RFC 9309, section 2.3).
#pragma once

#include <atomic>
#include <chrono>
#include <string>

#include "page/net_reader.h"
#include "page/robots.h"

namespace korvex {

struct RobotsFile {
  RobotsRules rules;        // empty (everything allowed) for a 4xx answer
  std::string unreachable;  // set when nothing may be read: a 5xx answer or a failed read
};

// Reads `origin` + "/robots.txt" on `http`, redirections followed, its first kMaxRobotsBytes
// kept, ended by `limit` or by `cancelled`.
RobotsFile fetchRobots(HttpConnection& http, const std::string& origin,
                       std::chrono::milliseconds limit, const std::atomic<bool>& cancelled);

}  // namespace korvex
