#include "page/attribute_scan.h"

#include <bit>
#include <cstring>

#include "page/url_normalize.h"

namespace korvex {
namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr std::string_view kUnicodeQuote = "\\u0022";

// The last `c` of the text, or npos.
size_t lastOf(std::string_view text, char c) {
  const void* hit = text.empty() ? nullptr : memrchr(text.data(), c, text.size());
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : kNone;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = asciiLower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The hex number of `digits` characters at `at`, or -1.
long hexAt(std::string_view text, size_t at, size_t digits) {
  if (at + digits > text.size()) return -1;
  long value = 0;
  for (size_t i = at; i < at + digits; ++i) {
    const int d = hexValue(text[i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

}  // namespace

AttributeScanner::AttributeScanner(std::string_view page, std::string_view name)
    : page_(page),
      name_(name),
      doubleQuotes_(page, "\""),
      singleQuotes_(page, "'"),
      unicodeQuotes_(page, kUnicodeQuote),
      firstEscapedOpening_(findNoCase(page, "&lt;")) {}

void AttributeScanner::rebind(std::string_view longerPage) {
  page_ = longerPage;
  for (NoCaseFinder* f : {&doubleQuotes_, &singleQuotes_, &unicodeQuotes_}) f->rebind(page_);
  if (firstEscapedOpening_ == kNone) firstEscapedOpening_ = findNoCase(page_, "&lt;");
}

bool AttributeScanner::nameBefore(size_t equals, size_t& name) const {
  size_t i = equals;
  while (i > 0 && isSpace(page_[i - 1])) --i;
  if (i < name_.size()) return false;
  name = i - name_.size();
  return equalsNoCase(page_.substr(name, name_.size()), name_);
}

std::optional<AttributeValue> AttributeScanner::next(size_t from) {
  for (size_t at = from; at < page_.size();) {
    const size_t equals = page_.find('=', at);
    if (equals == kNone) return std::nullopt;
    at = equals + 1;
    size_t name = 0;
    if (!nameBefore(equals, name) || name < from) continue;
    size_t start = equals + 1;
    while (start < page_.size() && isSpace(page_[start])) ++start;
    AttributeValue v = valueAt(start);
    v.name = name;
    v.shownAsText = escapedTagBefore(name);
    return v;
  }
  return std::nullopt;
}

AttributeValue AttributeScanner::valueAt(size_t start) {
  AttributeValue v;
  const size_t n = page_.size();
  const char first = start < n ? page_[start] : '\0';
  if (first == '"' || first == '\'') {
    const size_t close = (first == '"' ? doubleQuotes_ : singleQuotes_).next(start + 1);
    if (close != kNone) {
      v.text = page_.substr(start + 1, close - start - 1);
      v.end = close + 1;
      v.quoted = true;
      return v;
    }
  } else if (first == '\\') {
    size_t k = 0;
    while (start + k < n && page_[start + k] == '\\') ++k;
    const char quote = start + k < n ? page_[start + k] : '\0';
    if (k % 2 == 1 && (quote == '"' || quote == '\'')) {
      closeEscaped(v, start + k + 1, k, quote);
      return v;
    }
    if (startsWithNoCase(page_.substr(start), kUnicodeQuote)) {
      const size_t close = unicodeQuotes_.next(start + kUnicodeQuote.size());
      v.text = page_.substr(start + kUnicodeQuote.size(), close == kNone ? 0 : close - start - 6);
      v.end = close == kNone ? start + kUnicodeQuote.size() : close + kUnicodeQuote.size();
      v.quoted = true;
      v.escapes = 1;
      v.unusable = close == kNone;
      return v;
    }
    v.unusable = true;  // a script's escape, not a path
  }
  size_t end = std::min(start + 1, n);  // the first character is taken whatever it is
  while (end < n && !isSpace(page_[end]) && page_[end] != '>') ++end;
  v.text = page_.substr(start, end - start);
  v.end = end;
  return v;
}

// A value opened by `backslashes` backslashes and a quote ends at the same escaped quote; a
// quote with fewer backslashes ends the string around it, and the value with it.
void AttributeScanner::closeEscaped(AttributeValue& v, size_t open, size_t backslashes,
                                    char quote) {
  NoCaseFinder& quotes = quote == '"' ? doubleQuotes_ : singleQuotes_;
  v.quoted = true;
  v.escapes = std::bit_width(backslashes + 1) - 1;
  for (size_t at = quotes.next(open); at != kNone; at = quotes.next(at + 1)) {
    size_t b = 0;
    while (b <= backslashes && at > open + b && page_[at - 1 - b] == '\\') ++b;
    if (b == backslashes) {
      v.text = page_.substr(open, at - backslashes - open);
      v.end = at + 1;
      return;
    }
    if (b < backslashes) {
      v.unusable = true;
      v.end = at;
      return;
    }
  }
  v.unusable = true;
  v.end = open;
}

// The value belongs to markup shown as text when the last tag opening before it in the text
// was an escaped one ("&lt;a") not closed since ("&gt;"), and no real tag holds it. Looks back
// only as far as the last call looked, with memrchr, so the page is walked once and fast.
bool AttributeScanner::escapedTagBefore(size_t at) {
  // Before a page's first "&lt;" nothing is shown as text: the look back waits until then.
  if (firstEscapedOpening_ == kNone || firstEscapedOpening_ >= at) return false;
  const std::string_view range = page_.substr(shownFrom_, at - shownFrom_);
  auto followedByLetter = [&](size_t i) {
    return shownFrom_ + i + 1 < page_.size() && isLetter(page_[shownFrom_ + i + 1]);
  };
  // A real tag holds the value when a "<" and a letter comes after the last ">".
  const size_t close = lastOf(range, '>');
  const size_t floor = close == kNone ? 0 : close + 1;
  bool opened = false;
  for (size_t end = range.size(); !opened;) {
    const size_t open = lastOf(range.substr(floor, end - floor), '<');
    if (open == kNone) break;
    opened = followedByLetter(floor + open);
    end = floor + open;
  }
  if (opened || close != kNone) inRealTag_ = opened;
  // The text's own state: its last "&lt;" and a letter, or "&gt;".
  for (size_t end = range.size(); end > 0;) {
    const size_t semicolon = lastOf(range.substr(0, end), ';');
    if (semicolon == kNone || semicolon < 3) break;
    const std::string_view entity = range.substr(semicolon - 3, 4);
    if (equalsNoCase(entity, "&gt;") ||
        (equalsNoCase(entity, "&lt;") && followedByLetter(semicolon))) {
      inEscapedTag_ = entity[1] == 'l' || entity[1] == 'L';
      break;
    }
    end = semicolon;
  }
  shownFrom_ = at;
  return inEscapedTag_ && !inRealTag_;
}

std::string unescapeScriptString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    long code = -1;
    if (c == 'u' && (code = hexAt(text, i + 1, 4)) >= 0) {
      appendUtf8(out, static_cast<unsigned long>(code));
      i += 4;
    } else if (c == 'x' && (code = hexAt(text, i + 1, 2)) >= 0) {
      appendUtf8(out, static_cast<unsigned long>(code));
      i += 2;
    } else if (c == 'n' || c == 'r' || c == 't') {
      // line breaks and tabs are dropped from links anyway
    } else {
      out += c;
    }
  }
  return out;
}

bool holdsTemplate(std::string_view value) {
  for (size_t at = value.find('{'); at != kNone; at = value.find('{', at + 1)) {
    if (at > 0 && value[at - 1] == '$') return true;
    if (at + 1 < value.size() && (value[at + 1] == '{' || value[at + 1] == '%')) return true;
    // OpenSearch's {searchTerms}, {startPage?}, {geo:box}
    size_t i = at + 1;
    while (i < value.size() && (isLetter(value[i]) || value[i] == ':' || value[i] == '_')) ++i;
    if (i < value.size() && value[i] == '?') ++i;
    if (i > at + 1 && i < value.size() && value[i] == '}') return true;
  }
  return false;
}

std::string_view linkText(const AttributeValue& value, std::string& scratch) {
  std::string_view text = value.text;
  if (!value.quoted) {  // a quote never closed (a page cut short) opens it
    if (!text.empty() && (text.front() == '"' || text.front() == '\'')) text.remove_prefix(1);
    if (!text.empty() && (text.back() == '"' || text.back() == '\'')) text.remove_suffix(1);
  }
  const bool plain = value.escapes == 0 &&
                     (value.quoted || findFirstOf<'"', '\''>(text) == kNone) &&
                     findFirstOf<'&', '\t', '\n', '\r'>(text) == kNone;
  if (plain) return trimSpaces(text);
  std::string unescaped;
  std::string_view source = text;
  if (value.escapes > 0) {
    unescaped = std::string(text);
    for (int level = 0; level < value.escapes; ++level) unescaped = unescapeScriptString(unescaped);
    source = unescaped;
  }
  scratch.clear();
  scratch.reserve(source.size());
  for (char c : source) {
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (!value.quoted && (c == '"' || c == '\'')) continue;
    scratch += c;
  }
  if (scratch.find('&') != std::string::npos) decodeCharacterReferences(scratch);
  const std::string_view kept = trimSpaces(scratch);
  const size_t size = kept.size();
  scratch.erase(0, static_cast<size_t>(kept.data() - scratch.data()));  // in place: no copy
  scratch.resize(size);
  return scratch;
}

}  // namespace korvex
