// The reading half of the page engine: one Internet connection, pages read within the per-page
// time limit, the page cap and the connection's life cycle (never opened, open, closed).
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/scan_state.h"
#include "page/net_reader.h"

namespace korvex {

// A page larger than this is read up to it, like a page cut by the time limit.
inline constexpr size_t kMaxPageBytes = 16u << 20;
// A read whose time limit has passed still waits this long for its first chunk, as a read that
// is only tested between chunks would.
inline constexpr std::chrono::seconds kFirstChunkGrace{2};

// Whether a read ends now: more than `minutes` have passed since the start time, and it has had
// its first chunk or the grace since it began.
struct ReadTimes {
  Clock::TimePoint start;  // of the time limit
  Clock::TimePoint began;  // the read itself
};
bool readTimeUp(const ReadTimes& times, Clock::TimePoint now, double minutes, bool chunkSeen);

struct ReadResult {
  std::string text;
  bool opened = false;       // the page was reached (an empty page included)
  std::string failure;       // why it was not, or why the text is empty
  std::string effectiveUrl;  // the URL finally read, after redirections
  long status = 0;           // HTTP status of the final response, 0 when none came
  std::string retryAfter;    // its Retry-After header
  std::string contentType;   // its Content-Type header
};

class PageReader {
 public:
  // `minutes`: the time allowed for one page, checked at Start (above 0, at most a day).
  PageReader(double minutes, const Clock& clock);
  ~PageReader();

  // What the connections opened from now on are made with.
  void setConnection(ConnectionSettings settings) { connection_ = std::move(settings); }
  // Opens the Internet connection; false (with the reason kept) when it cannot be opened.
  bool open();
  // Every later read fails until open().
  void close();
  const std::string& openFailure() const { return openFailure_; }
  void setStartTime(Clock::TimePoint time) { startTime_ = time; }
  // What is left of the time limit since the start time, and at least a first chunk's grace.
  std::chrono::milliseconds timeLeft() const;
  const Clock& clock() const { return clock_; }

  // Reads the page; a never opened connection is opened first. A redirection that `follow`
  // refuses ends the read with an empty text.
  ReadResult read(const std::string& url, const HttpConnection::FollowRedirection& follow = {});
  // Any thread: ends a read in progress and makes every later read fail.
  void cancel() { cancelled_ = true; }

 private:
  enum class State { None, Open, Closed };

  double minutes_;
  const Clock& clock_;
  State state_ = State::None;
  ConnectionSettings connection_{.agent = std::string(kAgent), .resolve = {}};
  std::unique_ptr<HttpConnection> http_;
  std::string openFailure_;
  std::atomic<bool> cancelled_{false};
  Clock::TimePoint startTime_{};
};

}  // namespace korvex
