#include "cli/row_stream.h"

namespace korvex::cli {

RowStream::RowStream(std::ostream& out, Format format, bool terminal)
    : out_(out), format_(format), terminal_(terminal) {
  writeHeading(out_, format_);
}

void RowStream::addressFound(const FoundAddress& found) {
  writeRow(out_, found, format_);
  waiting_ = true;
  if (terminal_) flushIfDue();
}

void RowStream::flushIfDue() {
  const auto now = std::chrono::steady_clock::now();
  if (!waiting_ || (!terminal_ && now - flushed_ < kRowsFlushedEvery)) return;
  out_.flush();
  waiting_ = false;
  flushed_ = now;
}

}  // namespace korvex::cli
