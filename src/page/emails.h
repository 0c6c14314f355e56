// Finding e-mail address candidates in page text and checking their form.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvex {

// Address characters: letters, digits, "_", "-", ".", "@" and "+" (a "+" belongs to the local
// part: john+news@x.com is one address). Every other byte ends an address.
inline constexpr std::array<bool, 256> kAddressChar = [] {
  std::array<bool, 256> table{};
  for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
  for (int c = '0'; c <= '9'; ++c) table[c] = true;
  for (unsigned char c : std::string_view("_-.@+")) table[c] = true;
  return table;
}();

// Calls onCandidate with every run of address characters around an "@", in order.
template <typename OnCandidate>
void forEachEmailCandidate(std::string_view page, OnCandidate&& onCandidate);

// Rules of form, in order: the accepted address (trimmed, one final "." removed), or "" when
// it is rejected. Image and style file names (logo@2x.png) are rejected by their suffix, and a
// domain must look like an internet domain. A view into the candidate: nothing is copied.
std::string_view addressForm(std::string_view address);
// The same, leaving vAddress trimmed, or the accepted address.
std::string checkEmailForm(std::string& vAddress);

// --- implementation ---

namespace detail {
inline bool isAddressChar(char c) {
  return kAddressChar[static_cast<unsigned char>(c)];
}
}  // namespace detail

template <typename OnCandidate>
void forEachEmailCandidate(std::string_view page, OnCandidate&& onCandidate) {
  size_t pos = 0;
  while (pos < page.size()) {
    const size_t at = page.find('@', pos);
    if (at == std::string_view::npos) return;
    size_t start = at;
    while (start > 0 && detail::isAddressChar(page[start - 1])) --start;
    size_t end = at + 1;
    while (end < page.size() && detail::isAddressChar(page[end])) ++end;
    pos = end;
    onCandidate(page.substr(start, end - start));  // never empty: it holds the "@"
  }
}

}  // namespace korvex
