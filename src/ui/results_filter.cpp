#include "ui/results_filter.h"

#include <algorithm>

#include "base/text.h"
#include "ui/results_model.h"

namespace korvex::ui {

ResultsFilter::ResultsFilter(ResultsModel* grid, QObject* parent)
    : QSortFilterProxyModel(parent), grid_(grid) {
  setSourceModel(grid);
  // Rows added during a scan take their place in the order and the filter as they come.
  setDynamicSortFilter(true);
}

void ResultsFilter::setFilterText(const std::string& text) {
  if (text == filter_) return;
  filter_ = text;
  const auto lock = grid_->reading();  // once for every row
  invalidateRowsFilter();
}

int ResultsFilter::gridRow(int shownRow) const {
  return mapToSource(index(shownRow, 0)).row() + 1;
}

bool ResultsFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (filter_.empty()) return true;
  const auto lock = grid_->reading();
  return containsNoCase(grid_->address(sourceRow), filter_) ||
         containsNoCase(grid_->page(sourceRow), filter_) ||
         containsNoCase(grid_->answer(sourceRow), filter_);
}

bool ResultsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  // Rows are numbered in the order found.
  if (left.column() == 0) return left.row() < right.row();
  const auto lock = grid_->reading();
  const std::string_view a = grid_->text(left.row(), left.column());
  const std::string_view b = grid_->text(right.row(), right.column());
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return asciiLower(x) < asciiLower(y); });
}

}  // namespace korvex::ui
