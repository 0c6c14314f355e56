// Documents read as pages: their text and links, and hostile ones that cost that document only.
#include "support/documents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>

#include "page/document_reader.h"
#include "support/engine_harness.h"
#include "support/test_server.h"

namespace korvex {
namespace {

using testing::HasSubstr;

using Strings = std::vector<std::string>;
using test::Reply;

Reply document(std::string body, const char* type) {
  Reply r = Reply::page(std::move(body));
  r.contentType = type;
  return r;
}

TEST(Documents, TextAndLinksOfEveryFormat) {
  constexpr const char* kPdf = "application/pdf";
  constexpr const char* kZip = "application/zip";  // the extension says what it is
  test::TestServer server;
  const std::string next = server.url("/next.html");
  std::vector<test::PdfPage> hundred(100);
  hundred[0].text = "first@pdf.test";
  hundred[99].text = "last@pdf.test";
  using Set = std::set<std::string>;
  // clang-format off
  const struct {
    const char* path;
    Reply reply;
    Set emails;
    Strings links;
  } cases[] = {
      {"/a.pdf", document(test::makePdf({{"Write to text@pdf.test", {"mailto:annot@pdf.test", next}}}), kPdf),
       {"text@pdf.test", "annot@pdf.test"}, {next}},
      {"/many.pdf", document(test::makePdf(hundred), kPdf), {"first@pdf.test", "last@pdf.test"}, {}},
      {"/no-extension", document(test::makePdf({{"typed@pdf.test", {}}}), kPdf), {"typed@pdf.test"}, {}},
      {"/b.docx", document(test::makeDocx("body@docx.test", "header@docx.test", "note@docx.test",
                                          "mailto:link@docx.test"), kZip),
       {"body@docx.test", "header@docx.test", "note@docx.test", "link@docx.test"}, {}},
      {"/c.xlsx", document(test::makeXlsx("shared@xlsx.test", "inline@xlsx.test", next), kZip),
       {"shared@xlsx.test", "inline@xlsx.test"}, {next}},
      {"/d.pptx", document(test::makePptx("slide@pptx.test", "notes@pptx.test"), kZip),
       {"slide@pptx.test", "notes@pptx.test"}, {}},
      {"/e.odt", document(test::makeOdt("para@odt.test", "mailto:a@odt.test"), kZip),
       {"para@odt.test", "a@odt.test"}, {}},
  };
  // clang-format on
  for (const auto& c : cases) server.serve(c.path, c.reply);
  test::EngineHarness h;
  h.settings.documents = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const PageResult r = h.read(server.url(c.path));
    EXPECT_TRUE(r.read) << r.failure;
    const Strings emails = test::emailsOf(r);
    EXPECT_EQ(Set(emails.begin(), emails.end()), c.emails);
    EXPECT_EQ(r.links, c.links);
  }
  // Without the option a PDF is an omitted file, and an office file is read as text.
  test::EngineHarness plain;
  EXPECT_TRUE(test::emailsOf(plain.read(server.url("/b.docx"))).empty());
}

TEST(Documents, HostileOnesCostThatDocumentOnly) {
  test::TestServer server;
  std::vector<test::PdfPage> tooMany(100000);
  const std::string whole = test::makePdf({{"cut@pdf.test", {}}});
  const std::string nested = std::string(100000, '[') + std::string(100000, ']');
  const std::pair<std::string, std::string> large[] = {
      {"word/document.xml", std::string(70u << 20, ' ')},
      {"xl/zeros.xml", std::string(4u << 20, 0)}};
  const struct {
    const char* path;
    std::string body;
    const char* type;
    const char* failure;  // "" when it may be read
  } cases[] = {
      {"/large.docx", test::makeZip({large[0]}), "application/zip", "more than 64 MiB"},
      {"/bomb.xlsx", test::makeZip({large[1]}), "application/zip", "only a bomb is"},
      {"/pages.pdf", test::makePdf(tooMany), "application/pdf", "more than 2000 pages"},
      {"/locked.pdf", test::makePdf({{"secret@pdf.test", {}}}, true), "application/pdf",
       "encrypted"},
      {"/html", "<html>no@pdf.test</html>", "application/pdf", "not a readable PDF"},
      {"/zip.xlsx", "PK not really", "application/zip", "not a readable office file"},
      {"/nested.pdf", test::makePdf({{"deep@pdf.test", {}, nested}}), "application/pdf", ""},
      {"/cut.pdf", whole.substr(0, whole.size() / 2), "application/pdf", ""},
  };
  for (const auto& c : cases) server.serve(c.path, document(c.body, c.type));
  test::EngineHarness h;
  h.settings.documents = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto start = std::chrono::steady_clock::now();
    const PageResult r = h.read(server.url(c.path));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    if (*c.failure) {
      EXPECT_FALSE(r.read);
      EXPECT_THAT(r.failure, HasSubstr(c.failure));
      EXPECT_TRUE(r.emails.empty());
    }
  }
  // A reader that never answers is killed at the time limit.
  const auto hanging = std::filesystem::temp_directory_path() / "korvex-hanging-reader";
  std::ofstream(hanging) << "#!/bin/sh\nexec sleep 60\n";
  std::filesystem::permissions(hanging, std::filesystem::perms::owner_all);
  const auto start = std::chrono::steady_clock::now();
  const DocumentText hung =
      readDocument("%PDF", DocumentKind::Pdf, std::chrono::milliseconds(500), hanging.string());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(hung.read);
  EXPECT_THAT(hung.failure, HasSubstr("time limit"));
  std::filesystem::remove(hanging);
}

}  // namespace
}  // namespace korvex
