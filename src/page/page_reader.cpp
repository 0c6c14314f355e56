#include "page/page_reader.h"

#include <algorithm>
#include <cmath>

namespace korvex {

PageReader::PageReader(double minutes, const Clock& clock) : minutes_(minutes), clock_(clock) {}

PageReader::~PageReader() = default;

bool PageReader::open() {
  HttpConnection::Opened opened = HttpConnection::open(connection_);
  if (!opened.connection) {
    openFailure_ = std::move(opened.failure);
    return false;
  }
  http_ = std::move(opened.connection);
  state_ = State::Open;
  return true;
}

void PageReader::close() {
  if (state_ != State::Open) return;
  state_ = State::Closed;
  http_.reset();
}

std::chrono::milliseconds PageReader::timeLeft() const {
  const auto allowed = std::chrono::milliseconds(std::llround(minutes_ * 60000));
  const auto spent =
      std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - startTime_);
  return std::max<std::chrono::milliseconds>(allowed - spent, kFirstChunkGrace);
}

bool readTimeUp(const ReadTimes& times, Clock::TimePoint now, double minutes, bool chunkSeen) {
  const std::chrono::duration<double> elapsed = now - times.start;
  return elapsed.count() > minutes * 60 && (chunkSeen || now - times.began >= kFirstChunkGrace);
}

ReadResult PageReader::read(const std::string& url,
                            const HttpConnection::FollowRedirection& follow) {
  ReadResult r;
  if (cancelled_) {
    r.failure = "cancelled";
    return r;
  }
  if (state_ == State::None && !open()) {
    r.failure = openFailure_;
    return r;
  }
  if (state_ != State::Open) {
    r.failure = "the Internet connection is closed";
    return r;
  }

  bool limitPassed = false;
  bool chunkSeen = false;
  const ReadTimes times{startTime_, clock_.now()};
  // Asked after every chunk and, while nothing arrives, about once a second: the time limit
  // also ends a read that blocks.
  auto keepGoing = [&] {
    if (cancelled_) return false;
    limitPassed = readTimeUp(times, clock_.now(), minutes_, chunkSeen);
    return !limitPassed;
  };
  auto sink = [&](std::string_view chunk) {
    chunkSeen = true;
    r.text.append(chunk.substr(0, kMaxPageBytes - r.text.size()));
    return r.text.size() < kMaxPageBytes;
  };
  // The buffer is made once from the announced length (within the cap), not grown by doubling.
  auto sizeHint = [&r](size_t announced) { r.text.reserve(std::min(announced, kMaxPageBytes)); };
  FetchOutcome fetched = http_->fetch(url, sink, keepGoing, sizeHint, follow);
  r.opened = fetched.opened;
  r.effectiveUrl = std::move(fetched.effectiveUrl);
  r.status = fetched.status;
  r.retryAfter = std::move(fetched.retryAfter);
  r.contentType = std::move(fetched.contentType);
  r.failure = std::move(fetched.failure);
  if (fetched.stoppedByReader && r.failure.empty() && r.text.size() < kMaxPageBytes) {
    if (cancelled_) {
      r.failure = "cancelled";
    } else if (limitPassed) {
      r.failure = "the time limit of the page passed";
    }
  }
  if (!r.opened) r.text.clear();
  return r;
}

}  // namespace korvex
