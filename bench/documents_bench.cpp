// Documents read by the reader process, as a scan with --documents reads them: documents per
// second and the reader's peak memory, on generated documents of realistic sizes (a 30-page
// report, a 5-page brochure, a letter, a price list, a slide deck, a text document).
//   documents_bench [ROUNDS]   (default 20)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "page/document_reader.h"
#include "support/documents.h"

namespace {

std::string words(int count, const std::string& address) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "word" + std::to_string(i % 97) + (i % 50 ? " " : "\n");
  return address + " " + out;
}

}  // namespace

int main(int argc, char** argv) {
  using korvex::test::PdfPage;
  const int rounds = argc > 1 ? std::stoi(argv[1]) : 20;
  std::vector<PdfPage> report(30), brochure(5);
  for (size_t i = 0; i < report.size(); ++i)
    report[i] = {words(400, "r" + std::to_string(i) + "@report.test"), {"https://example.com/"}};
  for (size_t i = 0; i < brochure.size(); ++i)
    brochure[i] = {words(150, "b@brochure.test"), {"mailto:sales@brochure.test"}};
  const std::vector<std::pair<korvex::DocumentKind, std::string>> documents = {
      {korvex::DocumentKind::Pdf, korvex::test::makePdf(report)},
      {korvex::DocumentKind::Pdf, korvex::test::makePdf(brochure)},
      {korvex::DocumentKind::Office,
       korvex::test::makeDocx(words(3000, "body@letter.test"), "head@letter.test",
                              "note@letter.test", "mailto:reply@letter.test")},
      {korvex::DocumentKind::Office, korvex::test::makeXlsx(words(5000, "prices@list.test"),
                                                            "x@list.test", "https://example.com/")},
      {korvex::DocumentKind::Office,
       korvex::test::makePptx(words(2000, "talk@deck.test"), "speaker@deck.test")},
      {korvex::DocumentKind::Office,
       korvex::test::makeOdt(words(3000, "p@odt.test"), "mailto:a@odt.test")},
  };
  size_t bytes = 0, read = 0, addresses = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r) {
    for (const auto& [kind, body] : documents) {
      const korvex::DocumentText text =
          korvex::readDocument(body, kind, std::chrono::milliseconds(60000));
      bytes += body.size();
      read += text.read;
      addresses += text.text.find('@') != std::string::npos;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  const size_t count = documents.size() * static_cast<size_t>(rounds);
  std::printf(
      "| documents | read | average KiB | seconds | documents/s | reader peak MiB |\n"
      "|---|---|---|---|---|---|\n| %zu | %zu | %.0f | %.2f | %.0f | %.1f |\n",
      count, read, static_cast<double>(bytes) / 1024 / static_cast<double>(count), seconds,
      static_cast<double>(count) / seconds, children.ru_maxrss / 1024.0);
  return read == count && addresses == count ? 0 : 1;
}
