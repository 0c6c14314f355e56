#include "cli/row_stream.h"

namespace korvex::cli {

RowStream::RowStream(std::ostream& out, Format format, bool terminal, Schedule schedule)
    : out_(out), format_(format), terminal_(terminal), schedule_(std::move(schedule)) {
  writeHeading(out_, format_);
}

void RowStream::addressFound(const FoundAddress& found) {
  writeRow(out_, found, format_);
  // The first row to wait asks for its flush; on a terminal every row goes at once.
  const bool first = !waiting_;
  waiting_ = true;
  if (terminal_ || first) flushIfDue();
}

void RowStream::flushIfDue() {
  const auto now = std::chrono::steady_clock::now();
  if (!waiting_) return;
  if (!terminal_ && now - flushed_ < kRowsFlushedEvery) {
    schedule_(std::chrono::ceil<std::chrono::milliseconds>(kRowsFlushedEvery - (now - flushed_)));
    return;
  }
  out_.flush();
  waiting_ = false;
  flushed_ = now;
}

}  // namespace korvex::cli
