// The scan's lists of known URLs. A URL is known when it equals a listed one, ignoring ASCII
// case (whole URLs, never substrings, so http://h/a?id=1 is not hidden by http://h/a?id=12).
#pragma once

#include <cstddef>
#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text.h"

namespace korvex {

// Append-only; workers read it from their own threads while the crawl appends to it.
class UrlLog {
 public:
  // False when the URL was already listed.
  bool add(std::string_view url);
  bool contains(std::string_view url) const { return containsBefore(url, SIZE_MAX); }
  // Listed among the first `limit` entries.
  bool containsBefore(std::string_view url, size_t limit) const;
  size_t size() const;

 private:
  // Keeps a copy of the text in a block of storage: one allocation per block, not per URL.
  std::string_view store(std::string_view url);

  mutable std::shared_mutex mutex_;
  // URL (its text in `blocks_`) -> entry number
  std::unordered_map<std::string_view, size_t, NoCaseHash, NoCaseEqual> positions_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockUsed_ = 0;
  size_t blockSize_ = 0;
};

// What a worker sees of the crawl's list: the entries that were there when its task began.
// Costs one pointer copy per task however long the list is.
struct UrlSnapshot {
  std::shared_ptr<const UrlLog> log;
  size_t size = 0;
  bool contains(std::string_view url) const { return log && log->containsBefore(url, size); }
};

// A list of known URLs that may also see through to a snapshot of another one.
class VisitedURLs {
 public:
  VisitedURLs() : own_(std::make_shared<UrlLog>()) {}
  bool contains(std::string_view url) const { return own_->contains(url) || base_.contains(url); }
  // False (and nothing added) when the URL is already known.
  bool add(std::string_view url) { return !base_.contains(url) && own_->add(url); }
  // Forgets everything; earlier snapshots keep what they saw.
  void clear() { reset({}); }
  void reset(UrlSnapshot base) {
    own_ = std::make_shared<UrlLog>();
    base_ = std::move(base);
  }
  UrlSnapshot snapshot() const { return {own_, own_->size()}; }

 private:
  std::shared_ptr<UrlLog> own_;
  UrlSnapshot base_;
};

}  // namespace korvex
