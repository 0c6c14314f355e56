// The distinct parts of one text met in one pass over it (the link values of a page): open
// addressing in one small array of offsets into the text, no allocation per entry.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace korvex {

class ViewSet {
 public:
  // Room for one part per `partsEvery` bytes of the text before the first growth.
  explicit ViewSet(std::string_view text, size_t partsEvery = 128) : text_(text) {
    size_t slots = 256;
    while (slots < text.size() / partsEvery * 2) slots *= 2;
    slots_.assign(slots, Slot{});
  }

  // `part` lies within the text. False when an equal part is in the set already.
  bool insert(std::string_view part) {
    if ((size_ + 1) * 2 > slots_.size()) grow();
    const Slot slot{static_cast<uint32_t>(hashText<false>(part) >> 32),
                    static_cast<uint32_t>(part.data() - text_.data()),
                    static_cast<uint32_t>(part.size())};
    if (!place(slot)) return false;
    ++size_;
    return true;
  }

 private:
  struct Slot {
    uint32_t hash = 0;
    uint32_t offset = 0;
    uint32_t length = kEmpty;
  };
  static constexpr uint32_t kEmpty = UINT32_MAX;

  bool place(const Slot& slot) {
    const size_t mask = slots_.size() - 1;
    const std::string_view part = text_.substr(slot.offset, slot.length);
    for (size_t i = slot.hash & mask;; i = (i + 1) & mask) {
      Slot& s = slots_[i];
      if (s.length == kEmpty) {
        s = slot;
        return true;
      }
      if (s.hash == slot.hash && text_.substr(s.offset, s.length) == part) return false;
    }
  }
  void grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    for (const Slot& s : old)
      if (s.length != kEmpty) place(s);
  }

  std::string_view text_;
  std::vector<Slot> slots_;
  size_t size_ = 0;
};

}  // namespace korvex
