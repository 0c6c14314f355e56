// Documents read as pages are: PDF and office files (Office Open XML, OpenDocument), parsed by
// the reader program in a process of its own, within limits of CPU time, memory and output, and
// killed at the page's time limit. A document that crashes it, passes a limit or cannot be parsed
// is unreadable, with the reason; the scan goes on.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

enum class DocumentKind { None, Pdf, Office };

// By the URL's path (.pdf, .docx, .xlsx, .pptx, .odt, .ods, .odp) or the answer's content type.
DocumentKind documentKind(std::string_view url, std::string_view contentType);

// Past these the reader is stopped: its memory (address space) and its output. At most
// kReadersAtOnce run at a time, whatever the number of workers, so that hostile documents read
// side by side cannot take the machine's memory; a document waits for its turn within its time.
inline constexpr size_t kReaderMemoryBytes = 96u << 20;
inline constexpr size_t kReaderOutputBytes = 32u << 20;
inline constexpr int kReadersAtOnce = 2;

struct DocumentText {
  bool read = false;
  std::string text;
  std::vector<std::string> links;
  std::string failure;  // why it was not read
};

// The reader program: next to the running program, else where the build put it, else where it
// is installed beside it.
std::string documentReader();
// Runs `reader` on the document's bytes for at most `timeLimit`.
DocumentText readDocument(std::string_view bytes, DocumentKind kind,
                          std::chrono::milliseconds timeLimit,
                          const std::string& reader = documentReader());

}  // namespace korvex
