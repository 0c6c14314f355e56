#include "base/url_set.h"

#include <algorithm>
#include <mutex>

#include "base/text.h"

namespace korvex {

namespace {
// URLs are stored in blocks of this size; a longer URL gets a block of its own.
constexpr size_t kBlockBytes = 64 * 1024;
}  // namespace

std::string_view UrlLog::store(std::string_view url) {
  if (url.size() > blockSize_ - blockUsed_) {
    blockSize_ = std::max(kBlockBytes, url.size());
    blocks_.push_back(std::make_unique<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* at = blocks_.back().get() + blockUsed_;
  std::copy(url.begin(), url.end(), at);
  blockUsed_ += url.size();
  return {at, url.size()};
}

bool UrlLog::add(std::string_view url) {
  std::unique_lock lock(mutex_);
  const std::string_view stored = store(url);
  if (positions_.emplace(stored, positions_.size()).second) return true;
  blockUsed_ -= stored.size();  // known already: the copy just made is given back
  return false;
}

bool UrlLog::containsBefore(std::string_view url, size_t limit) const {
  std::shared_lock lock(mutex_);
  const auto it = positions_.find(url);
  return it != positions_.end() && it->second < limit;
}

size_t UrlLog::size() const {
  std::shared_lock lock(mutex_);
  return positions_.size();
}

}  // namespace korvex
