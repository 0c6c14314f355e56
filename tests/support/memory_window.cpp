#include "support/memory_window.h"

#include <algorithm>
#include <iterator>

#include "base/text.h"

namespace korvex {

MemoryWindow::MemoryWindow() : grid_(2) {}

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

void MemoryWindow::setGridFormat(std::string format) {
  gridFormat_ = std::move(format);
  if (grid_.empty()) grid_.emplace_back();
  const auto cells = split(gridFormat_, "|");
  for (size_t c = 0; c < grid_[0].size(); ++c)
    grid_[0][c] = c < cells.size() ? trimmed(cells[c]) : std::string();
}

void MemoryWindow::setGridRows(int rows) {
  grid_.resize(rows < 1 ? 1 : rows);
}

std::string MemoryWindow::gridCell(int row, int column) const {
  if (row < 0 || row >= gridRows() || column < 0 || column > 2) return {};
  return grid_[row][column];
}

void MemoryWindow::setGridCell(int row, int column, std::string text) {
  if (row < 0 || row >= gridRows() || column < 0 || column > 2) return;
  grid_[row][column] = std::move(text);
}

void MemoryWindow::clearGrid() {
  for (Row& row : grid_)
    for (std::string& cell : row) cell.clear();
  answers.clear();
}

}  // namespace korvex
