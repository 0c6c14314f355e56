// An address list: every address in the order found, each once. Two addresses are the same when
// they are equal ignoring ASCII case. Compact: the addresses' bytes one after another, their
// ends, and an open-addressing table of entry numbers, with no allocation per address.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class EmailList {
 public:
  // Appends unless an equal address is listed, or the list holds 4 GiB of addresses; returns
  // whether it was appended.
  bool add(std::string_view address);
  bool contains(std::string_view address) const;
  size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  size_t byteSize() const { return bytes_.size(); }
  std::string_view operator[](size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  void clear();
  // Room for this many bytes of addresses, made once instead of grown by doubling.
  void reserve(size_t bytes) { bytes_.reserve(std::min<size_t>(bytes, UINT32_MAX)); }

 private:
  static constexpr uint32_t kEmpty = 0;  // slots hold entry numbers + 1
  // The slot of an equal address, or the empty slot where it would go.
  size_t slotOf(std::string_view address, uint64_t hash) const;
  void grow();

  std::string bytes_;
  std::vector<uint32_t> ends_;
  std::vector<uint32_t> slots_;
};

}  // namespace korvex
