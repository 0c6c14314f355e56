#include "base/email_list.h"

#include "base/text.h"

namespace korvex {

bool EmailList::add(std::string_view address) {
  if (!keys_.insert(asciiLowerCopy(address)).second) return false;
  entries_.emplace_back(address);
  return true;
}

bool EmailList::contains(std::string_view address) const {
  return keys_.count(asciiLowerCopy(address)) != 0;
}

void EmailList::clear() {
  entries_.clear();
  keys_.clear();
}

}  // namespace korvex
