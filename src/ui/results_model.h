// The result grid flxDetails as a table model. The engine sees row 0 as the heading (shown in
// the view's header) and rows 1 on as results. Added rows reach the views in batches, on
// publish(), so a crawl adding thousands of rows a second does not repaint per row.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/text.h"

namespace korvex::ui {

class ResultsModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int gridRows() const { return static_cast<int>(rows_.size()) + 1; }
  std::string cell(int row, int column) const;
  // A cell of a result row, counted from 0 as the views count them; column 3 is the answer in
  // DNS of the address's domain (empty while none came).
  const std::string& result(int index, int column) const {
    if (column != 3) return rows_[index][column];
    // The filter asks every row on every key: no domain is worked out while no answer came.
    return answers_.empty() ? answerOf({}) : answerOf(domainOf(rows_[index][1]));
  }
  const std::string& answerOf(const std::string& domain) const;
  // The domain's answer in DNS: the DNS column appears with the first.
  void setDomainAnswer(const std::string& domain, std::string answer);
  // Changes with every answer, for the views that show them.
  int answersSeen() const { return answersSeen_; }
  void setCell(int row, int column, std::string text);
  void addRow() { rows_.emplace_back(); }
  void setRows(int rows);
  void clear();
  std::string format() const { return format_; }
  void setFormat(std::string format);
  // Tells the views about the rows added since the last call.
  void publish();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  using Row = std::array<std::string, 3>;
  Row heading_;
  std::vector<Row> rows_{1};  // rows 1 on of the grid; an empty row follows the heading
  int published_ = 1;
  std::string format_;
  std::unordered_map<std::string, std::string> answers_;  // by domain
  bool dnsShown_ = false;
  int answersSeen_ = 0;
  bool answersChanged_ = false;  // told to the views on publish()
};

}  // namespace korvex::ui
