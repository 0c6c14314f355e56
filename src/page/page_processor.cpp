#include "page/page_processor.h"

#include <optional>

#include "base/text.h"
#include "base/view_set.h"
#include "page/attribute_scan.h"
#include "page/document_reader.h"
#include "page/emails.h"
#include "page/links.h"

namespace korvex {

ReadResult PageProcessor::process(const PageJob& job, const PageRules& rules, ResultOutput& out) {
  reader_.setStartTime(reader_.clock().now());
  // A redirection to a URL the scan knows is not followed: that page is read under it.
  ReadResult read =
      reader_.read(job.url, [&out](const std::string& target) { return !out.urlKnown(target); });
  const std::string finalUrl = read.effectiveUrl.empty() ? job.url : read.effectiveUrl;
  if (const DocumentKind kind = rules.documents && read.opened
                                    ? documentKind(finalUrl, read.contentType)
                                    : DocumentKind::None;
      kind != DocumentKind::None) {
    processDocument(read, kind, finalUrl, job, rules, out);
    return read;
  }
  std::string page = std::move(read.text);
  processText(page, finalUrl, job, rules, out);
  return read;
}

void PageProcessor::processDocument(ReadResult& read, DocumentKind kind,
                                    const std::string& finalUrl, const PageJob& job,
                                    const PageRules& rules, ResultOutput& out) {
  DocumentText document = readDocument(read.text, kind, reader_.timeLeft());
  read.text = std::string();
  if (!document.read) {
    read.opened = false;
    read.failure = std::move(document.failure);
    return;
  }
  if (!equalsNoCase(finalUrl, job.url)) out.pageRedirected(finalUrl);
  const bool accepted = job.level <= 1 || passesKeywordRules(document.text, rules.page);
  if (accepted) {
    out.pageAccepted();
    extractEmails(document.text, out);
  }
  // A mailto: link gives its address as the text's do; an http(s) one joins the next level.
  const LinkBase base(finalUrl);
  std::string link;
  for (const std::string& target : document.links) {
    if (startsWithNoCase(target, "mailto:")) {
      if (accepted) extractEmails(std::string_view(target).substr(7), out);
    } else if (job.level < job.maxDepth && !holdsTemplate(target) &&
               resolveLinkInto(target, base, *rules.omitted, link) &&
               passesKeywordRules(link, rules.url)) {
      out.addLink(link);
    }
  }
}

void PageProcessor::processText(std::string& page, const std::string& finalUrl, const PageJob& job,
                                const PageRules& rules, ResultOutput& out) {
  if (page.empty()) return;
  // Links resolve against the URL finally read, which no link may bring back; the addresses
  // name the URL handed out.
  if (!equalsNoCase(finalUrl, job.url)) out.pageRedirected(finalUrl);
  const LinkBase base(finalUrl);
  addFrames(page, base, rules, out);
  if (job.level <= 1 || passesKeywordRules(page, rules.page)) {
    out.pageAccepted();
    extractEmails(page, out);
  }
  extractLinks(page, base, job, rules, out);
}

// Every "src=" value is taken while a "<frame" still follows the position reached. Only the
// page as first read is searched, so frames of frames are not followed.
void PageProcessor::addFrames(std::string& page, const LinkBase& pageBase, const PageRules& rules,
                              ResultOutput& out) {
  const size_t firstRead = page.size();
  NoCaseFinder frameTags(page, "<frame");
  auto inFirstRead = [firstRead](size_t at, size_t length) {
    return at != std::string::npos && at + length <= firstRead;
  };
  AttributeScanner sources(page, "src");
  std::string scratch, frameUrl;
  std::optional<LinkBase> base;  // what a <base href> before the first frame sets
  size_t pos = 0;
  int reads = 0;
  while (page.size() < kMaxFramedPageBytes && reads < kMaxFrameReads) {
    const size_t frameTag = frameTags.next(pos);
    if (!inFirstRead(frameTag, 6)) return;
    if (!base) base = documentBase(std::string_view(page).substr(0, frameTag), pageBase);
    const std::optional<AttributeValue> found = sources.next(pos);
    if (!found || !inFirstRead(found->name, found->end - found->name)) return;
    pos = found->end + 1;
    if (found->shownAsText || found->unusable) continue;
    const std::string_view value = linkText(*found, scratch);
    if (holdsTemplate(value) || !resolveLinkInto(value, *base, *rules.omitted, frameUrl)) continue;
    if (!out.addKnownUrl(frameUrl)) continue;
    reader_.setStartTime(reader_.clock().now());
    ++reads;
    const ReadResult frame = reader_.read(frameUrl);
    page.append(frame.text, 0, kMaxFramedPageBytes - page.size());
    frameTags.rebind(page);
    sources.rebind(page);
  }
}

void PageProcessor::extractEmails(std::string_view page, ResultOutput& out) {
  forEachEmailCandidate(page, [&](std::string_view candidate) {
    const std::string_view address = addressForm(candidate);
    if (!address.empty()) out.addEmail(address, page.size());
  });
}

void PageProcessor::extractLinks(std::string_view page, LinkBase base, const PageJob& job,
                                 const PageRules& rules, ResultOutput& out) {
  if (job.level >= job.maxDepth) return;
  AttributeScanner hrefs(page, "href");
  std::string scratch, piece, link;  // reused from link to link
  // A value met before on this page gives nothing new: its links are known or were dropped.
  ViewSet seen(page);
  size_t from = 0;  // where the last value ended
  bool baseSeen = false;
  for (auto found = hrefs.next(0); found; found = hrefs.next(from)) {
    // The first <base href> is the base of the links after it (those of the body; a browser
    // takes it for the few of the head before it too). A <base> is no link.
    const bool baseTag = inBaseTag(page, from, found->name);
    from = found->end;
    if (found->shownAsText || found->unusable) continue;
    if (baseTag) {
      if (!baseSeen) base = baseFromHref(linkText(*found, scratch), base);
      baseSeen = true;
      continue;
    }
    if (!seen.insert(found->text)) continue;
    const std::string_view value = linkText(*found, scratch);
    if (holdsTemplate(value)) continue;
    forEachSchemePiece(value, [&](std::string_view scheme, std::string_view body) {
      if (body.empty()) return;
      std::string_view whole = body;
      if (!scheme.empty()) whole = piece.assign(scheme).append(body);
      if (!resolveLinkInto(whole, base, *rules.omitted, link)) return;
      // Known links and links the rules refuse are both passed over, so the order of the two
      // tests changes nothing.
      if (!passesKeywordRules(link, rules.url) || !out.addLink(link)) return;
      link.clear();
    });
  }
}

}  // namespace korvex
