// Rows of text, CSV or JSON lines sent to standard output as their addresses are found, so that
// a pipe reads them while the scan runs: at once on a terminal, else at least every quarter
// second. The bytes at the end are those of the whole output written at once.
#pragma once

#include <chrono>
#include <ostream>

#include "output/result_formats.h"

namespace korvex::cli {

inline constexpr std::chrono::milliseconds kRowsFlushedEvery{250};

class RowStream final : public ScanSink {
 public:
  RowStream(std::ostream& out, Format format, bool terminal);
  void addressFound(const FoundAddress& found) override;
  // Sends what waits once its quarter second is up; called often while the scan runs.
  void flushIfDue();

 private:
  std::ostream& out_;
  Format format_;
  bool terminal_;
  bool waiting_ = false;
  std::chrono::steady_clock::time_point flushed_ = std::chrono::steady_clock::now();
};

}  // namespace korvex::cli
