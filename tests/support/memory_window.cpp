#include "support/memory_window.h"

#include <algorithm>
#include <vector>

namespace korvex {

bool MemoryWindow::hasSelection(Field combo) const {
  return !text(combo).empty();
}

void MemoryWindow::setOption(Option option, bool selected) {
  options_[index(option)] = selected;
  if (!selected) return;
  // The options of a group exclude each other; a check box stands alone.
  const std::vector<std::vector<Option>> groups = {
      {Option::optURL, Option::optKeyword, Option::optURLList},
      {Option::OptURLAny, Option::OptURLAll},
      {Option::OptPagesAny, Option::OptPagesAll}};
  for (const auto& group : groups)
    if (std::ranges::find(group, option) != group.end())
      for (Option o : group) options_[index(o)] = o == option;
}

void MemoryWindow::resultsAdded() {
  ++resultsTold_;
  if (!results_) return;
  const auto lock = results_->reading();
  const AddressBook& book = results_->addresses();
  newestRows_ =
      book.empty() ? "" : book.page(book.size() - 1) + std::string(book.address(book.size() - 1));
  if (!results_->scanned().empty()) newestRows_ += results_->scanned().back();
}

}  // namespace korvex
