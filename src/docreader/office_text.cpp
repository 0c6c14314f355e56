#include "docreader/office_text.h"

#include <expat.h>
#include <zip.h>

#include <array>
#include <cstring>
#include <vector>

#include "docreader/document_output.h"

namespace korvex::docreader {
namespace {

// Elements after which the text of one paragraph, cell or note ends: a space keeps it apart
// from the next. Text runs (w:t, a:t, text:span) join without one, as they are shown.
constexpr std::array<std::string_view, 14> kBlockEnds = {
    "p",  "h",  "tc", "c",          "v",          "si",        "tab",
    "br", "cr", "s",  "line-break", "table-cell", "list-item", "note"};

std::string_view localName(const char* name) {
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

struct Part {
  std::string text;
  bool relationships;  // a .rels part: its external targets are links
};

void XMLCALL onStart(void* data, const char* name, const char** attributes) {
  auto& part = *static_cast<Part*>(data);
  const char* target = nullptr;
  bool external = false;
  for (const char** a = attributes; *a; a += 2) {
    const std::string_view attribute = a[0];
    if (attribute == "xlink:href") writeRecord('L', a[1]);  // OpenDocument's links
    if (part.relationships && attribute == "Target") target = a[1];
    if (part.relationships && attribute == "TargetMode")
      external = std::strcmp(a[1], "External") == 0;
  }
  if (target && external && localName(name) == "Relationship") writeRecord('L', target);
}

void XMLCALL onEnd(void* data, const char* name) {
  const std::string_view local = localName(name);
  for (std::string_view block : kBlockEnds)
    if (local == block) {
      static_cast<Part*>(data)->text += ' ';
      return;
    }
}

void XMLCALL onText(void* data, const char* text, int length) {
  static_cast<Part*>(data)->text.append(text, static_cast<size_t>(length));
}

bool isXmlPart(std::string_view name) {
  return name.ends_with(".xml") || name.ends_with(".rels");
}

}  // namespace

std::optional<std::string> readOffice(std::string_view data) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (!archive) {
    if (source) zip_source_free(source);
    zip_error_fini(&error);
    return "not a readable office file (ZIP)";
  }
  auto closeAndSay = [&](std::string why) {
    zip_discard(archive);
    return std::optional<std::string>(std::move(why));
  };
  const zip_int64_t entries = zip_get_num_entries(archive, 0);
  if (entries > kMaxEntries) return closeAndSay("a ZIP of more than 10,000 entries");
  // Every entry's declared size first: a bomb is refused before anything is inflated.
  uint64_t total = 0;
  for (zip_int64_t i = 0; i < entries; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    total += stat.size;
    if (total > kMaxUncompressedBytes) return closeAndSay("a ZIP of more than 64 MiB uncompressed");
    if (stat.size > (1u << 20) && stat.comp_size > 0 &&
        stat.size / stat.comp_size > kMaxCompressionRatio)
      return closeAndSay("a ZIP compressed as only a bomb is");
  }
  std::vector<char> buffer(64 * 1024);
  for (zip_int64_t i = 0; i < entries; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
    if (!name || !isXmlPart(name)) continue;
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    if (!file) continue;
    Part part{.text = {}, .relationships = std::string_view(name).ends_with(".rels")};
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &part);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    uint64_t read = 0;
    zip_int64_t n;
    // Never more than the declared size: a lying header cannot inflate past the limit.
    while ((n = zip_fread(file, buffer.data(), buffer.size())) > 0 &&
           (read += static_cast<uint64_t>(n)) <= kMaxUncompressedBytes) {
      if (XML_Parse(parser, buffer.data(), static_cast<int>(n), 0) != XML_STATUS_OK) break;
      if (part.text.size() > (1u << 20)) {
        writeRecord('T', part.text);
        part.text.clear();
      }
    }
    XML_Parse(parser, nullptr, 0, 1);
    XML_ParserFree(parser);
    zip_fclose(file);
    writeRecord('T', part.text);
    writeRecord('T', "\n");
  }
  zip_discard(archive);
  return std::nullopt;
}

}  // namespace korvex::docreader
