#include "base/email_list.h"

#include "base/text.h"

namespace korvex {

bool EmailList::add(std::string_view address) {
  if (keys_.find(address) != keys_.end()) return false;
  keys_.emplace(address);
  entries_.emplace_back(address);
  return true;
}

bool EmailList::contains(std::string_view address) const {
  return keys_.find(address) != keys_.end();
}

void EmailList::clear() {
  entries_.clear();
  keys_.clear();
}

}  // namespace korvex
