#include "page/page_settings.h"

#include "base/text.h"

namespace korvex {

PageSettings pageSettingsFromWindow(const Window& window) {
  PageSettings s;
  s.urlMust = trimmed(window.text(Field::txtURLMustKeyword));
  s.urlMustNot = trimmed(window.text(Field::txtURLMustNotKeyword));
  s.pagesMust = trimmed(window.text(Field::txtPagesMustKeyword));
  s.pagesMustNot = trimmed(window.text(Field::txtPagesMustNotKeyword));
  s.aURLMust = split(window.text(Field::txtURLMustKeyword), kCrLf);
  s.aURLMustNot = split(window.text(Field::txtURLMustNotKeyword), kCrLf);
  s.aPagesMust = split(window.text(Field::txtPagesMustKeyword), kCrLf);
  s.aPagesMustNot = split(window.text(Field::txtPagesMustNotKeyword), kCrLf);
  s.optUrlAny = window.option(Option::OptURLAny);
  s.optUrlAll = window.option(Option::OptURLAll);
  s.optPagesAny = window.option(Option::OptPagesAny);
  s.optPagesAll = window.option(Option::OptPagesAll);
  s.maxTime = fieldNumber(window, Field::txtMaxTime);
  s.agent = agentFromWindow(window);
  return s;
}

}  // namespace korvex
