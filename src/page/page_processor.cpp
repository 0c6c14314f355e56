#include "page/page_processor.h"

#include "base/host.h"
#include "base/text.h"
#include "page/emails.h"
#include "page/links.h"
#include "page/url_normalize.h"

namespace korvex {

ReadResult PageProcessor::process(const PageJob& job, const PageRules& rules, PageOutput& out) {
  reader_.setStartTime(reader_.clock().now());
  ReadResult read = reader_.read(job.url);
  std::string page = std::move(read.text);
  read.text.clear();
  if (page.empty()) return read;
  // Links resolve against the URL finally read; the addresses name the URL handed out.
  const std::string& base = read.effectiveUrl.empty() ? job.url : read.effectiveUrl;
  addFrames(page, base, rules, out);
  const bool accepted = job.level <= 1 || passesKeywordRules(page, rules.page);
  if (accepted) {
    out.pageAccepted(job.url);
    host_.yield();
    extractEmails(page, job.url, out);
  }
  if (!out.stopped()) extractLinks(page, base, job, rules, out);
  return read;
}

// Every "src=" value is taken while a "<frame" still follows the position reached. Only the
// page as first read is searched, so frames of frames are not followed.
void PageProcessor::addFrames(std::string& page, const std::string& url, const PageRules& rules,
                              PageOutput& out) {
  const std::string original = page;
  const std::string lower = asciiLowerCopy(original);
  size_t pos = 0;
  int reads = 0;
  while (page.size() < kMaxFramedPageBytes && reads < kMaxFrameReads) {
    if (lower.find("<frame", pos) == std::string::npos) return;
    const size_t src = lower.find("src=", pos);
    if (src == std::string::npos) return;
    const AttributeValue value = attributeValueAt(original, src + 4);
    pos = value.end + 1;
    std::string frameUrl = decodeCharacterReferences(removeChars(trimSpaces(value.text), "\"'"));
    frameUrl = resolveLink(frameUrl, getBaseURL(url, frameUrl), rules.omitExtensions);
    if (out.urlKnown(frameUrl)) frameUrl.clear();
    if (trimSpaces(frameUrl).empty()) continue;
    out.addKnownUrl(frameUrl);
    reader_.setStartTime(reader_.clock().now());
    ++reads;
    const ReadResult frame = reader_.read(frameUrl);
    page.append(frame.text, 0, kMaxFramedPageBytes - page.size());
  }
}

void PageProcessor::extractEmails(std::string_view page, const std::string& url, PageOutput& out) {
  if (page.empty() || out.stopped()) return;
  forEachEmailCandidate(page, [&](std::string_view candidate) {
    std::string address(candidate);
    address = trimmed(checkEmailForm(address));
    if (address.empty() || out.emailKnown(address)) return;
    out.addEmail(address, url);
    host_.yield();
  });
}

void PageProcessor::extractLinks(std::string_view page, const std::string& url, const PageJob& job,
                                 const PageRules& rules, PageOutput& out) {
  if (job.level >= job.maxDepth || page.empty() || out.stopped()) return;
  const std::string lowerPage = asciiLowerCopy(page);
  const std::string_view lower(lowerPage);
  for (size_t at = lower.find("href="); at != std::string_view::npos;) {
    const AttributeValue value = attributeValueAt(page, at + 5);
    const std::string raw = decodeCharacterReferences(trimmed(removeChars(value.text, "\"'")));
    for (const std::string& rawPiece : splitAtSchemes(raw)) {
      const std::string piece = trimmed(rawPiece);
      if (piece.empty()) continue;
      const std::string link =
          trimmed(resolveLink(piece, getBaseURL(url, piece), rules.omitExtensions));
      if (link.empty() || out.urlKnown(link) || !passesKeywordRules(link, rules.url)) continue;
      out.addLink(link);
    }
    at = value.end >= lower.size() ? std::string_view::npos : lower.find("href=", value.end + 1);
  }
  host_.yield();
}

}  // namespace korvex
