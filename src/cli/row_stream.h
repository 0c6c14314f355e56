// Rows of text, CSV or JSON lines sent to standard output as their addresses are found, so that
// a pipe reads them while the scan runs: at once on a terminal, else at least every quarter
// second. The bytes at the end are those of the whole output written at once.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>

#include "control/result_formats.h"

namespace korvex::cli {

inline constexpr std::chrono::milliseconds kRowsFlushedEvery{250};

class RowStream final : public ScanSink {
 public:
  // Asks for flushIfDue to be called again after the delay (a timer of the scan's host).
  using Schedule = std::function<void(std::chrono::milliseconds delay)>;
  RowStream(std::ostream& out, Format format, bool terminal, Schedule schedule);
  void addressFound(const FoundAddress& found) override;
  // Sends what waits once its quarter second is up.
  void flushIfDue();

 private:
  std::ostream& out_;
  Format format_;
  bool terminal_;
  Schedule schedule_;
  bool waiting_ = false;
  std::chrono::steady_clock::time_point flushed_ = std::chrono::steady_clock::now();
};

}  // namespace korvex::cli
