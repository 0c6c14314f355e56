// The scan's address list: every address in the order found, each once. Two addresses are the
// same when they are equal ignoring ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/text.h"

namespace korvex {

class EmailList {
 public:
  // Appends unless an equal address is listed; returns whether it was appended.
  bool add(std::string_view address);
  bool contains(std::string_view address) const;
  const std::vector<std::string>& entries() const { return entries_; }
  void clear();

 private:
  std::vector<std::string> entries_;
  std::unordered_set<std::string, NoCaseHash, NoCaseEqual> keys_;
};

}  // namespace korvex
