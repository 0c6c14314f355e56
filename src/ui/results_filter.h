// The Details grid as the user sees it: sorted by the column clicked (the numbers as numbers)
// and kept to the rows whose address, page or answer in DNS contains the filter text, ignoring
// case. Reads the
// grid's own text, so a filter over 100,000 rows never builds a string per cell.
#pragma once

#include <QSortFilterProxyModel>
#include <string>

namespace korvex::ui {

class ResultsModel;

class ResultsFilter final : public QSortFilterProxyModel {
 public:
  ResultsFilter(ResultsModel* grid, QObject* parent = nullptr);
  void setFilterText(const std::string& text);
  const std::string& filterText() const { return filter_; }
  // The grid row (1 on) of a row shown.
  int gridRow(int shownRow) const;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  ResultsModel* grid_;
  std::string filter_;
};

}  // namespace korvex::ui
