#include "support/documents.h"

#include <zip.h>

#include <cstdio>

namespace korvex::test {
namespace {

std::string escapedPdfText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// Objects numbered from 1 in order, then the cross-reference table and the trailer.
std::string assemble(const std::vector<std::string>& objects, const std::string& trailerExtra) {
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  char line[32];
  for (size_t offset : offsets) {
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R " +
         trailerExtra + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace

std::string makePdf(const std::vector<PdfPage>& pages, bool locked) {
  // 1 catalog, 2 the page tree, 3 font, then for each page: the page, its content, its
  // annotations.
  std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "",
                                      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string kids;
  for (const PdfPage& page : pages) {
    const size_t pageNumber = objects.size() + 1;
    std::string annotations;
    for (size_t i = 0; i < page.links.size(); ++i)
      annotations += std::to_string(pageNumber + 2 + i) + " 0 R ";
    kids += std::to_string(pageNumber) + " 0 R ";
    if (page.text.empty()) {  // a blank page: small, so that a hundred thousand fit in a page
      objects.push_back("<< /Type /Page /Parent 2 0 R >>");
      continue;
    }
    objects.push_back(
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font "
        "<< /F1 3 0 R >> >> /Contents " +
        std::to_string(pageNumber + 1) + " 0 R /Annots [" + annotations + "] >>");
    const std::string content =
        "BT /F1 12 Tf 72 700 Td (" + escapedPdfText(page.text) + ") Tj ET " + page.operators;
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                      "\nendstream");
    for (const std::string& link : page.links)
      objects.push_back(
          "<< /Type /Annot /Subtype /Link /Rect [72 600 300 620] /Border [0 0 0] "
          "/A << /S /URI /URI (" +
          escapedPdfText(link) + ") >> >>");
  }
  objects[1] =
      "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
  if (!locked) return assemble(objects, "");
  // A standard security handler whose values fit no password: an empty one cannot open it.
  const std::string key(64, 'A');
  objects.push_back("<< /Filter /Standard /V 1 /R 2 /O <" + key + "> /U <" + key + "> /P -4 >>");
  return assemble(objects, "/Encrypt " + std::to_string(objects.size()) + " 0 R /ID [<" +
                               std::string(32, '1') + "> <" + std::string(32, '1') + ">]");
}

std::string makeZip(const std::vector<std::pair<std::string, std::string>>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : parts) {
    zip_source_t* part = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_file_add(archive, name.c_str(), part, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
  std::string out;
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  out.resize(static_cast<size_t>(zip_source_tell(buffer)));
  zip_source_seek(buffer, 0, SEEK_SET);
  zip_source_read(buffer, out.data(), out.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  return out;
}

std::string makeDocx(const std::string& body, const std::string& header,
                     const std::string& footnote, const std::string& link) {
  const std::string w = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";
  return makeZip(
      {{"[Content_Types].xml", "<Types/>"},
       {"word/document.xml", "<w:document " + w +
                                 "><w:body><w:p><w:r><w:t>Write to </w:t></w:r>"
                                 "<w:r><w:t>" +
                                 body +
                                 "</w:t></w:r></w:p><w:p><w:r><w:t>Next"
                                 "</w:t></w:r></w:p></w:body></w:document>"},
       {"word/header1.xml",
        "<w:hdr " + w + "><w:p><w:r><w:t>" + header + "</w:t></w:r></w:p></w:hdr>"},
       {"word/footnotes.xml", "<w:footnotes " + w + "><w:footnote><w:p><w:r><w:t>" + footnote +
                                  "</w:t></w:r></w:p></w:footnote></w:footnotes>"},
       {"word/_rels/document.xml.rels",
        R"(<Relationships><Relationship Id="rId1" Target=")" + link +
            R"(" TargetMode="External"/><Relationship Id="rId2" Target="header1.xml"/></Relationships>)"}});
}

std::string makeXlsx(const std::string& sharedCell, const std::string& inlineCell,
                     const std::string& link) {
  return makeZip({{"xl/sharedStrings.xml", "<sst><si><t>" + sharedCell +
                                               "</t></si><si><t>next"
                                               "</t></si></sst>"},
                  {"xl/worksheets/sheet1.xml",
                   R"(<worksheet><sheetData><row><c t="s"><v>0</v></c><c t="inlineStr"><is><t>)" +
                       inlineCell + "</t></is></c></row></sheetData></worksheet>"},
                  {"xl/worksheets/_rels/sheet1.xml.rels",
                   R"(<Relationships><Relationship Id="rId1" Target=")" + link +
                       R"(" TargetMode="External"/></Relationships>)"}});
}

std::string makePptx(const std::string& slide, const std::string& notes) {
  return makeZip(
      {{"ppt/slides/slide1.xml", "<p:sld><a:p><a:r><a:t>" + slide + "</a:t></a:r></a:p></p:sld>"},
       {"ppt/notesSlides/notesSlide1.xml",
        "<p:notes><a:p><a:r><a:t>" + notes + "</a:t></a:r></a:p></p:notes>"}});
}

std::string makeOdt(const std::string& paragraph, const std::string& link) {
  return makeZip(
      {{"mimetype", "application/vnd.oasis.opendocument.text"},
       {"content.xml", "<office:document-content><office:body><office:text><text:p>" + paragraph +
                           R"(</text:p><text:p><text:a xlink:href=")" + link +
                           R"(">a link</text:a></text:p></office:text>)"
                           "</office:body></office:document-content>"}});
}

}  // namespace korvex::test
