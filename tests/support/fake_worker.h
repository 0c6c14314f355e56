// Scripted workers: each task ends at once with the results the test declared for its URL.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "crawl/worker.h"

namespace korvex::test {

struct Script {
  std::map<std::string, PageResult> results;  // by task URL; others give nothing
  std::vector<std::string> started;           // task URLs in the order started
  std::vector<int> startedBy;                 // the worker index of each
  long long maxDepth = 0;                     // the depth bound of the last task
  WorkerSettings configured;                  // what the last worker made was given
  bool finishLater = false;                   // tasks stay busy until finishAll()
  // Any thread: ends the tasks that wait.
  void finishAll();

  std::mutex mutex;  // pending, between the scan's thread and the test's
  std::vector<std::function<void()>> pending;
};

WorkerFactory scriptedFactory(Script& script);

// A page read with these addresses, links and counts.
PageResult found(const std::vector<std::string>& emails, std::vector<std::string> links,
                 long long extracted = 0, long long valid = 1);

}  // namespace korvex::test
