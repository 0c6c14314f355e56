#include "page/cnetget.h"

#include "base/scan_state.h"
#include "base/text.h"
#include "base/window.h"
#include "page/emails.h"
#include "page/window_output.h"

namespace korvex {

CNetGet::CNetGet(ScanState& state, Window& window, Host& host, const Clock& clock)
    : state_(state),
      window_(window),
      reader_(
          host, [&window] { return fieldNumber(window, Field::txtMaxTime); }, clock),
      processor_(reader_, host) {}

void CNetGet::openUrl() {
  lastRead_ = {};
  reader_.setAgent(agentFromWindow(window_));
  if (!reader_.open()) lastRead_.failure = reader_.openFailure();
}

std::string CNetGet::ReadUrl(const std::string& sURL) {
  lastRead_ = reader_.read(sURL);
  return std::move(lastRead_.text);
}

std::string CNetGet::closeURL() {
  reader_.close();
  return {};
}

std::string CNetGet::execProc1() {
  lastRead_ = {};
  if (state_.sPageURL.empty() || state_.bStop) return {};
  WindowOutput out(state_, window_);
  lastRead_ = processor_.process(jobAt(state_.sPageURL), rulesFromWindow(), out);
  state_.sPageURL.clear();
  return {};
}

PageJob CNetGet::jobAt(std::string url) const {
  return {.url = std::move(url), .level = state_.iDepth, .maxDepth = state_.iMaxDepth};
}

PageRules CNetGet::rulesFromWindow() const {
  if (!omitted_ || omittedSource_ != state_.sOmitExtensions) {
    omittedSource_ = state_.sOmitExtensions;
    omitted_.emplace(omittedSource_);
  }
  auto filled = [this](Field box) { return !trimSpaces(window_.text(box)).empty(); };
  return {.url = {.mustFieldFilled = filled(Field::txtURLMustKeyword),
                  .matchAny = window_.option(Option::OptURLAny),
                  .matchAll = window_.option(Option::OptURLAll),
                  .must = &urlMust_.of(state_.aURLMust),
                  .mustNotFieldFilled = filled(Field::txtURLMustNotKeyword),
                  .mustNot = &urlMustNot_.of(state_.aURLMustNot)},
          .page = {.mustFieldFilled = filled(Field::txtPagesMustKeyword),
                   .matchAny = window_.option(Option::OptPagesAny),
                   .matchAll = window_.option(Option::OptPagesAll),
                   .must = &pagesMust_.of(state_.aPagesMust),
                   .mustNotFieldFilled = filled(Field::txtPagesMustNotKeyword),
                   .mustNot = &pagesMustNot_.of(state_.aPagesMustNot)},
          .omitted = &omitted_.value()};
}

bool CNetGet::validPage(std::string_view sPage) const {
  return passesKeywordRules(sPage, rulesFromWindow().page);
}

void CNetGet::extractLinks(std::string_view sPage, const std::string& sURL) {
  WindowOutput out(state_, window_);
  processor_.extractLinks(sPage, LinkBase(sURL), jobAt(sURL), rulesFromWindow(), out);
}

bool CNetGet::urlListed(std::string_view sLink) const {
  return state_.sVisitedURLs.contains(sLink);
}

bool CNetGet::validURL(std::string_view zURL) const {
  return passesKeywordRules(zURL, rulesFromWindow().url);
}

void CNetGet::extractEmails(std::string_view sPage, const std::string& sURL) {
  WindowOutput out(state_, window_);
  processor_.extractEmails(sPage, sURL, out);
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
