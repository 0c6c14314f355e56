#include "support/memory_window.h"

#include <algorithm>
#include <iterator>

namespace korvex {

bool MemoryWindow::hasSelection(Field combo) const {
  return !text(combo).empty();
}

void MemoryWindow::setOption(Option option, bool selected) {
  options_[index(option)] = selected;
  if (!selected) return;
  // The three search criteria exclude each other.
  constexpr Option kCriteria[] = {Option::optURL, Option::optKeyword, Option::optURLList};
  if (std::find(std::begin(kCriteria), std::end(kCriteria), option) != std::end(kCriteria)) {
    for (Option o : kCriteria) options_[index(o)] = o == option;
    return;
  }
  // Options of one pair exclude each other; a check box stands alone.
  auto other = [](Option o) {
    switch (o) {
      case Option::OptURLAny:
        return Option::OptURLAll;
      case Option::OptURLAll:
        return Option::OptURLAny;
      case Option::OptPagesAny:
        return Option::OptPagesAll;
      case Option::OptPagesAll:
        return Option::OptPagesAny;
      case Option::chkObeyRobots:
      case Option::chkSitemaps:
      case Option::chkCheckDomains:
      case Option::chkDocuments:
      case Option::optURL:
      case Option::optKeyword:
      case Option::optURLList:
        break;
    }
    return o;
  };
  if (other(option) != option) options_[index(other(option))] = false;
}

}  // namespace korvex
