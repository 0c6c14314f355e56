// Processing one page from end to end: read it, add its frames, apply the page rules, take its
// addresses and its links.
#include "page/cnetget.h"
#include "page/keyword_rules.h"
#include "page/links.h"
#include "page/text.h"
#include "scan/host.h"
#include "scan/scan_state.h"
#include "scan/window.h"

namespace korvex {

std::string CNetGet::execProc1() {
  pageOpened_ = false;
  if (state_.sPageURL.empty() || state_.bStop) return {};
  const std::string sPageURL = state_.sPageURL;
  bAccepted_ = true;
  dStartTime_ = clock_.now();
  vPage_ = ReadUrl(sPageURL);
  pageOpened_ = lastReadOpened_;
  if (!vPage_.empty()) {
    addFrames(sPageURL);
    if (state_.iDepth > 1) bAccepted_ = validPage(vPage_);
    if (bAccepted_) {
      window_.appendText(Field::txtURLs, sPageURL + kCrLf);
      increaseCounter(window_, Field::txtNoOfValidUrls, 1);
      host_.yield();
      extractEmails(vPage_, sPageURL);
    }
    if (!state_.bStop) extractLinks(vPage_, sPageURL);
  }
  state_.sPageURL.clear();
  return {};
}

// Every "src=" value is taken while a "<frame" still follows the position reached. Only the
// page as first read is searched, so frames of frames are not followed.
void CNetGet::addFrames(const std::string& sPageURL) {
  vOriginal_ = vPage_;
  const std::string lower = asciiLowerCopy(vOriginal_);
  size_t pos = 0;
  int reads = 0;
  while (vPage_.size() < kMaxFramedPageBytes && reads < kMaxFrameReads) {
    if (lower.find("<frame", pos) == std::string::npos) return;
    const size_t src = lower.find("src=", pos);
    if (src == std::string::npos) return;
    const AttributeValue value = attributeValueAt(vOriginal_, src + 4);
    pos = value.end + 1;
    std::string sFrameURL = removeChars(trimSpaces(value.text), "\"'");
    sFrameURL = resolveLink(sFrameURL, getBaseURL(sPageURL, sFrameURL), state_.sOmitExtensions);
    if (urlListed(sFrameURL)) sFrameURL.clear();
    if (trimSpaces(sFrameURL).empty()) continue;
    state_.sVisitedURLs.add(sFrameURL);
    dStartTime_ = clock_.now();
    ++reads;
    const std::string frame = ReadUrl(sFrameURL);
    vPage_.append(frame, 0, kMaxFramedPageBytes - vPage_.size());
  }
}

bool CNetGet::validPage(std::string_view sPage) const {
  return passesKeywordRules(
      sPage, rulesFromWindow(Field::txtPagesMustKeyword, Field::txtPagesMustNotKeyword,
                             Option::OptPagesAny, Option::OptPagesAll, state_.aPagesMust,
                             state_.aPagesMustNot));
}

}  // namespace korvex
