#include "base/url_set.h"

#include <mutex>

#include "base/text.h"

namespace korvex {

bool UrlLog::add(std::string_view url) {
  std::string key = asciiLowerCopy(url);
  std::unique_lock lock(mutex_);
  return positions_.emplace(std::move(key), positions_.size()).second;
}

bool UrlLog::containsBefore(std::string_view url, size_t limit) const {
  const std::string key = asciiLowerCopy(url);
  std::shared_lock lock(mutex_);
  const auto it = positions_.find(key);
  return it != positions_.end() && it->second < limit;
}

size_t UrlLog::size() const {
  std::shared_lock lock(mutex_);
  return positions_.size();
}

}  // namespace korvex
