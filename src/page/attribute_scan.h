// The values of one attribute (href, src) in a page, read as an HTML tokenizer reads them, in
// one linear pass: spaces around "=", a quoted value ending at its quote, an unquoted one at
// whitespace or ">". Markup that scripts carry in strings (escaped quotes) is read too, and
// markup that the page shows as text (after "&lt;") is marked.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"

namespace korvex {

struct AttributeValue {
  std::string_view text;  // between its quotes, or as written when unquoted
  size_t name = 0;        // where the attribute's name begins
  size_t end = 0;         // the first position after the value (and its closing quote)
  bool quoted = false;
  int escapes = 0;           // levels of string escapes around it: \" is 1, \\\" is 2
  bool shownAsText = false;  // inside entity-escaped markup such as "&lt;a href=...&gt;"
  bool unusable = false;     // an escaped value never closed
};

class AttributeScanner {
 public:
  // `name` in small letters, without its "=".
  AttributeScanner(std::string_view page, std::string_view name);
  // The next value whose name begins at `from` or later; `from` never goes back.
  std::optional<AttributeValue> next(size_t from);
  // The same page grown at its end (it may have moved).
  void rebind(std::string_view longerPage);

 private:
  bool nameBefore(size_t equals, size_t& name) const;
  AttributeValue valueAt(size_t start);
  void closeEscaped(AttributeValue& v, size_t open, size_t backslashes, char quote);
  bool escapedTagBefore(size_t at);

  std::string_view page_;
  std::string_view name_;
  NoCaseFinder doubleQuotes_;
  NoCaseFinder singleQuotes_;
  NoCaseFinder unicodeQuotes_;  // \u0022, a JSON string's quote
  size_t firstEscapedOpening_;  // the first "&lt;", or npos
  size_t shownFrom_ = 0;        // where the escaped-markup state was last brought up to date
  bool inEscapedTag_ = false;
  bool inRealTag_ = false;
};

// A value as a link is taken from it: its string escapes undone, tabs and line breaks removed
// (browsers strip them from URLs), character references decoded, quotes removed from an
// unquoted value, spaces trimmed. The value itself when that changes nothing, else the text in
// `scratch`.
std::string_view linkText(const AttributeValue& value, std::string& scratch);

// A value holding a template placeholder ("${", "{{", "{%", "{searchTerms}") is no URL.
bool holdsTemplate(std::string_view value);

// One level of JavaScript string escapes undone: \/ \\ \" \' \uXXXX \xXX \n \t...
std::string unescapeScriptString(std::string_view text);

}  // namespace korvex
