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

}  // namespace korvex
