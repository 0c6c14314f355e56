// korvex-doc-reader pdf|office: reads one document from standard input and writes its text and
// links as records to standard output; the reason it cannot be read goes to standard error, with
// exit status 3. The page engine runs it as a process of its own, within limits, so that a
// hostile document costs that document only.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "docreader/office_text.h"
#include "docreader/pdf_text.h"

namespace {
// As a page: a document is downloaded up to 16 MiB.
constexpr size_t kMaxDocumentBytes = 16u << 20;
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "pdf") != 0 && std::strcmp(argv[1], "office") != 0)) {
    std::cerr << "usage: korvex-doc-reader pdf|office < DOCUMENT\n";
    return 2;
  }
  std::string data;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    data.append(buffer, n);
    if (data.size() > kMaxDocumentBytes) {
      std::cerr << "a document of more than 16 MiB\n";
      return 3;
    }
  }
  const std::optional<std::string> failure = std::strcmp(argv[1], "pdf") == 0
                                                 ? korvex::docreader::readPdf(data)
                                                 : korvex::docreader::readOffice(data);
  std::fflush(stdout);
  if (failure) {
    std::cerr << *failure << "\n";
    return 3;
  }
  return 0;
}
