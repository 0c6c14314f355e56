#include "base/email_list.h"

#include "base/text.h"

namespace korvex {

size_t EmailList::slotOf(std::string_view address, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const uint32_t s = slots_[i];
    if (s == kEmpty || equalsNoCase((*this)[s - 1], address)) return i;
  }
}

void EmailList::grow() {
  std::vector<uint32_t> old = std::move(slots_);
  slots_.assign(old.empty() ? 64 : old.size() * 2, kEmpty);
  const size_t mask = slots_.size() - 1;
  for (const uint32_t s : old) {
    if (s == kEmpty) continue;
    size_t i = hashText<true>((*this)[s - 1]) & mask;
    while (slots_[i] != kEmpty) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

bool EmailList::add(std::string_view address) {
  // At most 70% full: linear probing stays short, and the table small beside the addresses.
  if ((ends_.size() + 1) * 10 > slots_.size() * 7) grow();
  const size_t slot = slotOf(address, hashText<true>(address));
  if (slots_[slot] != kEmpty || bytes_.size() + address.size() > UINT32_MAX) return false;
  bytes_.append(address);
  ends_.push_back(static_cast<uint32_t>(bytes_.size()));
  slots_[slot] = static_cast<uint32_t>(ends_.size());
  return true;
}

bool EmailList::contains(std::string_view address) const {
  return !slots_.empty() && slots_[slotOf(address, hashText<true>(address))] != kEmpty;
}

void EmailList::clear() {
  bytes_.clear();
  ends_.clear();
  slots_.clear();
}

}  // namespace korvex
