#include "base/url_set.h"

#include <algorithm>
#include <mutex>

namespace korvex {

namespace {
// URLs are stored in blocks of this size; a longer URL gets a block of its own.
constexpr size_t kBlockBytes = 64 * 1024;
}  // namespace

const char* UrlLog::store(std::string_view url) {
  if (url.size() > blockSize_ - blockUsed_) {
    blockSize_ = std::max(kBlockBytes, url.size());
    blocks_.push_back(std::make_unique<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* at = blocks_.back().get() + blockUsed_;
  std::copy(url.begin(), url.end(), at);
  blockUsed_ += url.size();
  return at;
}

size_t UrlLog::slotOf(std::string_view url, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    if (slots_[i] == kEmpty) return i;
    const Entry& e = entries_[slots_[i]];
    if (e.hash == hash && equalsNoCase({e.text, e.length}, url)) return i;
  }
}

void UrlLog::grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, kEmpty);
  const size_t mask = slots_.size() - 1;
  for (uint32_t n = 0; n < entries_.size(); ++n) {
    size_t i = entries_[n].hash & mask;
    while (slots_[i] != kEmpty) i = (i + 1) & mask;
    slots_[i] = n;
  }
}

bool UrlLog::add(std::string_view url, uint64_t hash) {
  std::unique_lock lock(mutex_);
  // At most half full, so every probe ends at an empty slot soon.
  if ((entries_.size() + 1) * 2 > slots_.size()) grow();
  const size_t slot = slotOf(url, hash);
  if (slots_[slot] != kEmpty) return false;
  slots_[slot] = static_cast<uint32_t>(entries_.size());
  entries_.push_back({hash, store(url), url.size()});
  return true;
}

bool UrlLog::containsBefore(std::string_view url, uint64_t hash, size_t limit) const {
  std::shared_lock lock(mutex_);
  if (slots_.empty()) return false;
  const uint32_t n = slots_[slotOf(url, hash)];
  return n != kEmpty && n < limit;
}

size_t UrlLog::size() const {
  std::shared_lock lock(mutex_);
  return entries_.size();
}

}  // namespace korvex
