#include "crawl/page_task.h"

#include "page/number.h"
#include "page/text.h"

namespace korvex {

WorkerSettings settingsFromWindow(const Window& window, const ScanState& state) {
  WorkerSettings s;
  s.urlDelimiter = state.sSep;
  s.urlMust = trimmed(window.text(Field::txtURLMustKeyword));
  s.urlMustNot = trimmed(window.text(Field::txtURLMustNotKeyword));
  s.pagesMust = trimmed(window.text(Field::txtPagesMustKeyword));
  s.pagesMustNot = trimmed(window.text(Field::txtPagesMustNotKeyword));
  s.aURLMust = state.aURLMust;
  s.aURLMustNot = state.aURLMustNot;
  s.aPagesMust = state.aPagesMust;
  s.aPagesMustNot = state.aPagesMustNot;
  s.optUrlAny = window.option(Option::OptURLAny);
  s.optUrlAll = window.option(Option::OptURLAll);
  s.optPagesAny = window.option(Option::OptPagesAny);
  s.optPagesAll = window.option(Option::OptPagesAll);
  s.omitExtensions = state.sOmitExtensions;
  s.maxTime = fieldNumber(window, Field::txtMaxTime);
  return s;
}

PageEngine::PageEngine(const WorkerSettings& s, const Clock& clock)
    : net_(state_, window_, host_, clock) {
  window_.setText(Field::txtURLMustKeyword, s.urlMust);
  window_.setText(Field::txtURLMustNotKeyword, s.urlMustNot);
  window_.setText(Field::txtPagesMustKeyword, s.pagesMust);
  window_.setText(Field::txtPagesMustNotKeyword, s.pagesMustNot);
  window_.setOption(Option::OptURLAny, s.optUrlAny);
  window_.setOption(Option::OptURLAll, s.optUrlAll);
  window_.setOption(Option::OptPagesAny, s.optPagesAny);
  window_.setOption(Option::OptPagesAll, s.optPagesAll);
  window_.setText(Field::txtMaxTime, formatNumber(s.maxTime));
  state_.aURLMust = s.aURLMust;
  state_.aURLMustNot = s.aURLMustNot;
  state_.aPagesMust = s.aPagesMust;
  state_.aPagesMustNot = s.aPagesMustNot;
  state_.sOmitExtensions = s.omitExtensions;
  net_.openUrl();
}

PageResult PageEngine::run(const PageTask& task) {
  for (Field f : {Field::txtEmail, Field::txtURLs, Field::txtNoOfEmails, Field::txtNoOfExtUrl,
                  Field::txtNoOfValidUrls})
    window_.setText(f, "");
  window_.setGridRows(2);
  window_.clearGrid();
  state_.sEmailList.clear();
  state_.sPendingURLs.clear();
  state_.sVisitedURLs.reset(task.known);
  state_.iDepth = task.level;
  state_.iMaxDepth = task.maxDepth;
  state_.bStop = false;
  state_.sPageURL = task.url;

  net_.execProc1();

  PageResult r;
  r.read = net_.pageOpened();
  r.emails = state_.sEmailList.entries();
  for (int row = 1; row <= static_cast<int>(r.emails.size()); ++row)
    r.emailUrls.push_back(window_.gridCell(row, 2));
  r.links = std::move(state_.sPendingURLs);
  state_.sPendingURLs.clear();
  r.extUrls = fieldNumber(window_, Field::txtNoOfExtUrl);
  r.validUrls = fieldNumber(window_, Field::txtNoOfValidUrls);
  return r;
}

}  // namespace korvex
