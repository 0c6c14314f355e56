#include "page/cnetget.h"

#include <cmath>

#include "page/emails.h"
#include "page/keyword_rules.h"
#include "page/links.h"
#include "page/number.h"
#include "page/record_email.h"
#include "page/text.h"
#include "scan/host.h"
#include "scan/scan_state.h"
#include "scan/window.h"

namespace korvex {

const Clock& systemClock() {
  static const SystemClock clock;
  return clock;
}

CNetGet::CNetGet(ScanState& state, Window& window, Host& host, const Clock& clock)
    : state_(state), window_(window), host_(host), clock_(clock) {}

CNetGet::~CNetGet() = default;

// ---- Reading -------------------------------------------------------------------------------

void CNetGet::openUrl() {
  auto http = HttpConnection::open(kAgent);
  if (!http) return;
  http_ = std::move(http);
  connection_ = Connection::Open;
}

std::string CNetGet::closeURL() {
  if (connection_ == Connection::Open) {
    connection_ = Connection::Closed;
    // A read in progress (this is called from one of its yields) ends at its next chunk and
    // releases the handle itself.
    if (!reading_) http_.reset();
  }
  return {};
}

bool CNetGet::timeUp(double maxTime) const {
  using std::chrono::floor;
  using std::chrono::minutes;
  const auto elapsed = (floor<minutes>(clock_.now()) - floor<minutes>(dStartTime_)).count();
  return static_cast<double>(elapsed) > maxTime;
}

std::string CNetGet::ReadUrl(const std::string& sURL) {
  lastReadOpened_ = false;
  if (cancelled_ || reading_) return {};
  if (connection_ == Connection::None) openUrl();
  if (connection_ != Connection::Open) return {};

  std::string text;
  limitUnreadable_ = false;
  bool chunkSeen = false;
  const auto readStart = std::chrono::steady_clock::now();
  // Asked after every chunk and, while nothing arrives, about once a second: the time limit
  // also ends a read that blocks, but the first chunk is always given kFirstChunkGrace.
  auto keepGoing = [&] {
    const double maxTime = fieldNumber(window_, Field::txtMaxTime);  // read anew every time
    if (!std::isfinite(maxTime)) limitUnreadable_ = true;
    if (connection_ != Connection::Open || cancelled_ || limitUnreadable_) return false;
    if (!timeUp(maxTime)) return true;
    return !chunkSeen && std::chrono::steady_clock::now() - readStart < kFirstChunkGrace;
  };
  auto sink = [&](std::string_view chunk) {
    chunkSeen = true;
    text.append(chunk.substr(0, kMaxPageBytes - text.size()));
    host_.yield();
    return text.size() < kMaxPageBytes;
  };
  reading_ = true;
  const bool opened = http_->fetch(sURL, sink, keepGoing);
  reading_ = false;
  if (connection_ == Connection::Closed) http_.reset();
  if (!opened) return {};
  lastReadOpened_ = true;
  sPageText_ = limitUnreadable_ ? std::string() : std::move(text);
  return sPageText_;
}

// ---- Links ---------------------------------------------------------------------------------

void CNetGet::extractLinks(std::string_view sPage, const std::string& sURL) {
  if (state_.iDepth >= state_.iMaxDepth || sPage.empty() || state_.bStop) return;
  const std::string lowerPage = asciiLowerCopy(sPage);
  const std::string_view lower(lowerPage);
  for (size_t at = lower.find("href="); at != std::string_view::npos;) {
    const AttributeValue value = attributeValueAt(sPage, at + 5);
    const std::string raw = trimmed(removeChars(value.text, "\"'"));
    const auto pieces = splitAtSchemes(raw);
    for (size_t i = 0; i < pieces.size(); ++i) {
      const std::string piece = trimmed(pieces[i]);
      if (piece.empty()) continue;
      const std::string link =
          trimmed(resolveLink(piece, getBaseURL(sURL, piece), state_.sOmitExtensions));
      if (link.empty() || urlListed(link) || !validURL(link)) continue;
      state_.sPendingURLs.push_back(link);
      increaseCounter(window_, Field::txtNoOfExtUrl, 1);
      state_.sVisitedURLs.add(link);
    }
    at = value.end >= lower.size() ? std::string_view::npos : lower.find("href=", value.end + 1);
  }
  host_.yield();
}

bool CNetGet::urlListed(std::string_view sLink) const {
  return state_.sVisitedURLs.contains(sLink);
}

bool CNetGet::validURL(std::string_view zURL) const {
  return passesKeywordRules(
      zURL,
      rulesFromWindow(Field::txtURLMustKeyword, Field::txtURLMustNotKeyword, Option::OptURLAny,
                      Option::OptURLAll, state_.aURLMust, state_.aURLMustNot));
}

// The emptiness tests look at the boxes as they are now; the entries are the lists made at Start.
KeywordRules CNetGet::rulesFromWindow(Field mustBox, Field mustNotBox, Option any, Option all,
                                      const std::vector<std::string>& must,
                                      const std::vector<std::string>& mustNot) const {
  return {.mustFieldFilled = !trimSpaces(window_.text(mustBox)).empty(),
          .matchAny = window_.option(any),
          .matchAll = window_.option(all),
          .must = &must,
          .mustNotFieldFilled = !trimSpaces(window_.text(mustNotBox)).empty(),
          .mustNot = &mustNot};
}

// ---- Addresses -----------------------------------------------------------------------------

void CNetGet::extractEmails(std::string_view sPage, const std::string& sURL) {
  if (sPage.empty() || state_.bStop) return;
  forEachEmailCandidate(sPage, [&](std::string_view candidate) {
    std::string address(candidate);
    address = trimmed(checkEmail(address));
    if (address.empty()) return;
    recordEmail(window_, state_, address, sURL);
    host_.yield();
  });
}

std::string CNetGet::checkEmail(std::string& vAddress) const {
  std::string result = checkEmailForm(vAddress);
  if (result.empty() || emailListed(vAddress)) return {};
  return result;
}

bool CNetGet::emailListed(std::string_view vAddress) const {
  return state_.sEmailList.contains(vAddress);
}

}  // namespace korvex
