#include "base/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvex {
namespace {

struct Parsed {
  double value = 0;
  size_t consumed = 0;  // characters of the input that form the number
  bool hasDigits = false;
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int radixDigit(char c, int radix) {
  int d = -1;
  if (isDigit(c))
    d = c - '0';
  else if (c >= 'a' && c <= 'f')
    d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    d = c - 'A' + 10;
  return d < radix ? d : -1;
}

Parsed parseRadix(std::string_view s, int radix) {
  Parsed p{0, 2, false};
  for (; p.consumed < s.size(); ++p.consumed) {
    const int d = radixDigit(s[p.consumed], radix);
    if (d < 0) break;
    p.value = p.value * radix + d;
    p.hasDigits = true;
  }
  return p;
}

// Reads the longest number at the start of s (which holds no blanks).
Parsed parseNumber(std::string_view s) {
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return parseRadix(s, 16);
    if (s[1] == 'O' || s[1] == 'o') return parseRadix(s, 8);
    return {};
  }
  std::string normal;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) normal += s[i++];
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (isDigit(s[i])) {
      digits = true;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    normal += s[i];
  }
  if (!digits) return {};
  size_t consumed = i;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    const size_t firstDigit = j;
    while (j < s.size() && isDigit(s[j])) exponent += s[j++];
    if (j > firstDigit) {
      normal += exponent;
      consumed = j;
    }
  }
  return {std::strtod(normal.c_str(), nullptr), consumed, true};
}

std::string withoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') out += c;
  return out;
}

}  // namespace

double val(std::string_view text) {
  // Counters hold plain whole numbers and are read on every link and address: read those
  // directly.
  if (!text.empty() && text.size() <= 15 &&
      std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); })) {
    long long n = 0;
    for (char c : text) n = n * 10 + (c - '0');
    return static_cast<double>(n);
  }
  return parseNumber(withoutBlanks(text)).value;
}

bool isNumeric(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const std::string_view core = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const Parsed p = parseNumber(core);
  return p.hasDigits && p.consumed == core.size();
}

std::string formatNumber(double value) {
  char buf[64];
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    // Counters are whole numbers, written on every link and address: keep this cheap.
    const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value)).ptr;
    return std::string(buf, end);
  }
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

}  // namespace korvex
