#include "page/page_settings.h"

#include <tuple>

#include "base/text.h"

namespace korvex {

void PageSettings::setKeywordBoxes(std::string_view urlMustBox, std::string_view urlMustNotBox,
                                   std::string_view pagesMustBox,
                                   std::string_view pagesMustNotBox) {
  const std::tuple<std::string_view, std::string*, std::vector<std::string>*> boxes[] = {
      {urlMustBox, &urlMust, &aURLMust},
      {urlMustNotBox, &urlMustNot, &aURLMustNot},
      {pagesMustBox, &pagesMust, &aPagesMust},
      {pagesMustNotBox, &pagesMustNot, &aPagesMustNot}};
  for (const auto& [box, text, list] : boxes) {
    *text = trimmed(box);
    *list = split(box, kCrLf);
  }
}

PageSettings pageSettingsFromWindow(const Window& window) {
  PageSettings s;
  s.setKeywordBoxes(window.text(Field::txtURLMustKeyword), window.text(Field::txtURLMustNotKeyword),
                    window.text(Field::txtPagesMustKeyword),
                    window.text(Field::txtPagesMustNotKeyword));
  s.optUrlAny = window.option(Option::OptURLAny);
  s.optUrlAll = window.option(Option::OptURLAll);
  s.optPagesAny = window.option(Option::OptPagesAny);
  s.optPagesAll = window.option(Option::OptPagesAll);
  s.maxTime = fieldNumber(window, Field::txtMaxTime);
  s.agent = agentFromWindow(window);
  return s;
}

}  // namespace korvex
