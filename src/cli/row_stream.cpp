#include "cli/row_stream.h"

namespace korvex::cli {

RowStream::RowStream(std::ostream& out, Format format, bool terminal)
    : out_(out), format_(format), terminal_(terminal) {
  writeHeading(out_, format_);
}

void RowStream::addressFound(const FoundAddress& found) {
  writeRow(out_, found, format_);
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
