// Rows of text, CSV or JSON lines sent to standard output as their addresses are found, so that
// a pipe reads them while the scan runs: at once on a terminal, else at least every quarter
// second. The bytes at the end are those of the whole output written at once.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "output/result_formats.h"

namespace korvex::cli {

inline constexpr std::chrono::milliseconds kRowsFlushedEvery{250};

class RowStream final : public ScanSink {
 public:
  // With `dns`, a row waits for its domain's answer.
  RowStream(std::ostream& out, Format format, bool terminal, bool dns);
  void addressFound(const FoundAddress& found) override;
  void domainChecked(const std::string& domain, const DomainAnswer& answer) override;
  // Sends what waits once its quarter second is up; called often while the scan runs.
  void flushIfDue();

 private:
  void write(const FoundAddress& found, const std::optional<std::string>& dns);

  std::ostream& out_;
  Format format_;
  bool terminal_;
  bool dns_;
  std::map<std::string, std::string, std::less<>> answers_;  // by domain, as rows write them
  std::map<std::string, std::vector<FoundAddress>, std::less<>> unanswered_;  // rows by domain
  bool waiting_ = false;
  std::chrono::steady_clock::time_point flushed_ = std::chrono::steady_clock::now();
};

}  // namespace korvex::cli
