#include "page/emails.h"

#include <algorithm>

#include "base/text.h"

namespace korvex {
namespace {

bool isLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// File types whose names look like addresses on real pages (retina images "logo@2x.png").
constexpr std::string_view kFileSuffixes[] = {"png",  "jpg", "jpeg", "gif",  "bmp", "svg",
                                              "webp", "ico", "tif",  "tiff", "css", "js"};

bool hasFileSuffix(std::string_view address) {
  const size_t dot = address.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view suffix = address.substr(dot + 1);
  for (std::string_view s : kFileSuffixes)
    if (equalsNoCase(suffix, s)) return true;
  return false;
}

// After the "@" at least one ".", and a last label with a letter: "lodash@4.17.21" and "e@u"
// are package versions and noise, not addresses.
bool hasInternetDomain(std::string_view address) {
  const size_t at = address.find('@');
  if (at == std::string_view::npos) return false;
  const size_t dot = address.rfind('.');
  if (dot == std::string_view::npos || dot < at) return false;
  const std::string_view last = address.substr(dot + 1);
  return std::any_of(last.begin(), last.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

}  // namespace

std::string_view addressForm(std::string_view address) {
  address = trimSpaces(address);
  const size_t firstDot = address.find('.');
  if (firstDot == std::string_view::npos) return {};
  const size_t firstAt = address.find('@');
  if (firstAt != std::string_view::npos && (firstAt + 1 == firstDot || firstDot + 1 == firstAt))
    return {};
  if (address.back() == '.') address.remove_suffix(1);
  if (address.empty() || !isLetterOrDigit(address.front()) || !isLetterOrDigit(address.back()))
    return {};
  if (firstAt != std::string_view::npos && address.find('@', firstAt + 1) != std::string_view::npos)
    return {};
  if (hasFileSuffix(address) || !hasInternetDomain(address)) return {};
  return address;
}

std::string checkEmailForm(std::string& vAddress) {
  std::string result(addressForm(vAddress));
  vAddress = result.empty() ? trimmed(vAddress) : result;
  return result;
}

}  // namespace korvex
