// The scan's lists of known URLs. A URL is known when it equals a listed one, ignoring ASCII
// case (whole URLs, never substrings, so http://h/a?id=1 is not hidden by http://h/a?id=12).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace korvex {

// Append-only; workers read it from their own threads while the crawl appends to it. A URL's
// hash is computed once by the caller and serves every list it is looked up in.
class UrlLog {
 public:
  static uint64_t hashOf(std::string_view url) { return NoCaseHash{}(url); }
  // False when the URL was already listed.
  bool add(std::string_view url, uint64_t hash);
  // Listed among the first `limit` entries.
  bool containsBefore(std::string_view url, uint64_t hash, size_t limit) const;
  size_t size() const;

 private:
  struct Entry {
    uint64_t hash;
    const char* text;  // in `blocks_`
    size_t length;
  };
  static constexpr uint32_t kEmpty = UINT32_MAX;
  // The slot holding the URL, or the empty slot where it would go.
  size_t slotOf(std::string_view url, uint64_t hash) const;
  void grow();
  // Keeps a copy of the text in a block of storage: one allocation per block, not per URL.
  const char* store(std::string_view url);

  mutable std::shared_mutex mutex_;
  std::vector<Entry> entries_;   // in the order listed
  std::vector<uint32_t> slots_;  // open addressing: entry numbers, kEmpty where free
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockUsed_ = 0;
  size_t blockSize_ = 0;
};

// What a worker sees of the crawl's list: the entries that were there when its task began.
// Costs one pointer copy per task however long the list is.
struct UrlSnapshot {
  std::shared_ptr<const UrlLog> log;
  size_t size = 0;
  bool contains(std::string_view url, uint64_t hash) const {
    return log && size > 0 && log->containsBefore(url, hash, size);
  }
  bool contains(std::string_view url) const { return contains(url, UrlLog::hashOf(url)); }
};

// A list of known URLs that may also see through to a snapshot of another one.
class VisitedURLs {
 public:
  VisitedURLs() : own_(std::make_shared<UrlLog>()) {}
  bool contains(std::string_view url) const {
    const uint64_t hash = UrlLog::hashOf(url);
    return own_->containsBefore(url, hash, SIZE_MAX) || base_.contains(url, hash);
  }
  // False (and nothing added) when the URL is already known.
  bool add(std::string_view url) {
    const uint64_t hash = UrlLog::hashOf(url);
    return !base_.contains(url, hash) && own_->add(url, hash);
  }
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
