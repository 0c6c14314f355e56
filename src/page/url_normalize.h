// Normalisation of link values and resolved URLs: character references decoded, schemes
// recognised, dot segments removed (RFC 3986, section 5.2.4).
#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references (&#38; &#x26;) in place
// (a reference is never shorter than what it stands for); any other "&" stays as it is. Linear
// in the text.
void decodeCharacterReferences(std::string& text);

// The UTF-8 bytes of a code point.
void appendUtf8(std::string& out, unsigned long codePoint);

// The scheme name a value begins with (a letter, then letters, digits, "+", "-" or ".", then
// ":"), without the ":"; empty when it has none.
std::string_view schemeOf(std::string_view value);

// The URL with the dot segments of its path removed (RFC 3986, section 5.2.4; ".." never
// climbs above the root); everything else is kept as spelled.
std::string removeDotSegments(std::string url);

// Percent-encodes, after the host, what a browser encodes before it sends a URL: spaces,
// control characters, quotes, "<", ">" and every byte beyond ASCII (so an invalid UTF-8 byte
// too). A "%" stays, so the result encodes to itself.
void percentEncodeForRequest(std::string& url);

}  // namespace korvex
