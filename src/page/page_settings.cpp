#include "page/page_settings.h"

#include "base/text.h"

namespace korvex {

PageSettings pageSettingsFromWindow(const Window& window, const ScanState& state) {
  PageSettings s;
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
  s.agent = agentFromWindow(window);
  return s;
}

}  // namespace korvex
