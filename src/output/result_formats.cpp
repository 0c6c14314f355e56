#include "output/result_formats.h"

#include "base/text.h"

namespace korvex {
std::string csvField(const std::string& text) {
  return "\"" + replaceAll(text, "\"", "\"\"") + "\"";
}

std::ostream& operator<<(std::ostream& out, JsonText json) {
  std::string_view text = json.text;
  out << '"';
  while (!text.empty()) {
    // Runs of plain characters go out whole.
    size_t plain = 0;
    while (plain < text.size()) {
      const auto c = static_cast<unsigned char>(text[plain]);
      if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
      ++plain;
    }
    out.write(text.data(), static_cast<std::streamsize>(plain));
    text.remove_prefix(plain);
    if (text.empty()) break;
    const auto c = static_cast<unsigned char>(text[0]);
    if (c == '"' || c == '\\') {
      out << '\\' << static_cast<char>(c);
      text.remove_prefix(1);
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[c >> 4] << kHex[c & 15];
      text.remove_prefix(1);
    } else if (const size_t length = utf8Length(text, 0); length > 1) {
      out.write(text.data(), static_cast<std::streamsize>(length));
      text.remove_prefix(length);
    } else {
      out << "\xEF\xBF\xBD";  // U+FFFD for a byte that begins no valid sequence
      text.remove_prefix(1);
    }
  }
  return out << '"';
}

namespace {

void writeCounters(std::ostream& out, const ScanCounters& c) {
  out << "\"counters\":{\"extracted\":" << c.extracted << ",\"valid\":" << c.valid
      << ",\"processed\":" << c.processed << ",\"emails\":" << c.emails
      << ",\"refused\":" << c.refused << ",\"outOfScope\":" << c.outOfScope << "}";
}

void writeRefused(std::ostream& out, const std::vector<RefusedURL>& refused) {
  const char* comma = "";
  out << "\"refused\":[";
  for (const RefusedURL& r : refused) {
    out << comma << "{\"url\":" << jsonText(r.url) << ",\"reason\":" << jsonText(r.reason) << "}";
    comma = ",";
  }
  out << "]";
}

void writeAddress(std::ostream& out, const FoundAddress& a, const std::optional<std::string>& dns) {
  out << "{\"n\":" << a.n << ",\"email\":" << jsonText(a.address)
      << ",\"url\":" << jsonText(a.page);
  if (dns) out << ",\"dns\":" << jsonText(*dns);
  out << "}";
}

std::optional<std::string> dnsColumn(const ScanResults& results, const FoundAddress& a) {
  if (!results.checksDomains()) return std::nullopt;
  return results.dnsOf(a.address);
}

}  // namespace

void writeHeading(std::ostream& out, Format format, bool dns) {
  if (format == Format::Csv) out << (dns ? "Sl.No,Email,URL,DNS\n" : "Sl.No,Email,URL\n");
}

void writeRow(std::ostream& out, const FoundAddress& a, Format format,
              const std::optional<std::string>& dns) {
  switch (format) {
    case Format::Text:
      out << a.address << "\n";
      break;
    case Format::Csv:
      out << csvField(std::to_string(a.n)) << "," << csvField(a.address) << "," << csvField(a.page);
      if (dns) out << "," << csvField(*dns);
      out << "\n";
      break;
    case Format::JsonLines:
      writeAddress(out, a, dns);
      out << "\n";
      break;
    case Format::Json:
      break;
  }
}

void writeTrailer(std::ostream& out, const ScanResults& results, Format format,
                  std::string_view ending) {
  if (format != Format::JsonLines) return;
  out << "{";
  writeCounters(out, results.counters());
  out << ",";
  writeRefused(out, results.refused());
  out << ",\"end\":" << jsonText(ending) << "}\n";
}

void writeResults(std::ostream& out, const ScanResults& results, Format format,
                  std::string_view ending) {
  if (format != Format::Json) {
    writeHeading(out, format, results.checksDomains());
    for (const FoundAddress& a : results.addresses())
      writeRow(out, a, format, dnsColumn(results, a));
    writeTrailer(out, results, format, ending);
    return;
  }
  const char* comma = "";
  out << "{\"emails\":[";
  for (const FoundAddress& a : results.addresses()) {
    out << comma;
    writeAddress(out, a, dnsColumn(results, a));
    comma = ",";
  }
  out << "],\"scanned\":[";
  comma = "";
  for (const std::string& url : results.scanned()) {
    out << comma << jsonText(url);
    comma = ",";
  }
  out << "],";
  writeRefused(out, results.refused());
  out << ",";
  writeCounters(out, results.counters());
  out << "}\n";
}

}  // namespace korvex
