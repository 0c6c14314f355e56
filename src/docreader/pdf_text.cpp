#include "docreader/pdf_text.h"

#include <poppler.h>

#include "docreader/document_output.h"

namespace korvex::docreader {

std::optional<std::string> readPdf(std::string_view data) {
  GBytes* bytes = g_bytes_new_static(data.data(), data.size());
  GError* error = nullptr;
  PopplerDocument* document = poppler_document_new_from_bytes(bytes, nullptr, &error);
  g_bytes_unref(bytes);
  if (!document) {
    const bool encrypted = error && error->code == POPPLER_ERROR_ENCRYPTED;
    std::string why = encrypted ? "an encrypted PDF"
                                : std::string("not a readable PDF") +
                                      (error ? std::string(": ") + error->message : "");
    if (error) g_error_free(error);
    return why;
  }
  const int pages = poppler_document_get_n_pages(document);
  if (pages > kMaxPdfPages) {
    g_object_unref(document);
    return "a PDF of more than " + std::to_string(kMaxPdfPages) + " pages";
  }
  for (int i = 0; i < pages; ++i) {
    PopplerPage* page = poppler_document_get_page(document, i);
    if (!page) continue;
    if (char* text = poppler_page_get_text(page)) {
      writeRecord('T', text);
      writeRecord('T', "\n");
      g_free(text);
    }
    GList* links = poppler_page_get_link_mapping(page);
    for (GList* l = links; l; l = l->next) {
      const auto* mapping = static_cast<PopplerLinkMapping*>(l->data);
      if (mapping->action && mapping->action->type == POPPLER_ACTION_URI &&
          mapping->action->uri.uri)
        writeRecord('L', mapping->action->uri.uri);
    }
    poppler_page_free_link_mapping(links);
    g_object_unref(page);
  }
  g_object_unref(document);
  return std::nullopt;
}

}  // namespace korvex::docreader
