#include "cli/row_stream.h"

namespace korvex::cli {

RowStream::RowStream(std::ostream& out, Format format, bool terminal, bool dns)
    : out_(out), format_(format), terminal_(terminal), dns_(dns) {
  writeHeading(out_, format_, dns_);
}

void RowStream::addressFound(const FoundAddress& found) {
  if (!dns_) return write(found, std::nullopt);
  const std::string domain = domainOf(found.address);
  if (const auto known = answers_.find(domain); known != answers_.end())
    return write(found, known->second);
  unanswered_[domain].push_back(found);
}

void RowStream::domainChecked(const std::string& domain, const DomainAnswer& answer) {
  const std::string& text = answers_[domain] = describe(answer);
  const auto rows = unanswered_.find(domain);
  if (rows == unanswered_.end()) return;
  for (const FoundAddress& found : rows->second) write(found, text);
  unanswered_.erase(rows);
}

void RowStream::write(const FoundAddress& found, const std::optional<std::string>& dns) {
  writeRow(out_, found, format_, dns);
  // The first row after a quiet quarter second goes at once; on a terminal every row does.
  waiting_ = true;
  flushIfDue();
}

void RowStream::flushIfDue() {
  const auto now = std::chrono::steady_clock::now();
  if (!waiting_) return;
  if (!terminal_ && now - flushed_ < kRowsFlushedEvery) return;
  out_.flush();
  waiting_ = false;
  flushed_ = now;
}

}  // namespace korvex::cli
