// The result grid flxDetails as a table model over the results its scan's session
// holds, read under their lock: the model keeps no copy of a row. Row 0 of the engine's grid is the
// heading (shown in the view's header); the views count the results from 0. Added rows reach
// the views in batches, on publish(), so a crawl adding thousands of rows a second does not
// repaint per row. Until the first address, one empty row stands below the heading.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "crawl/scan_results.h"

namespace korvex::ui {

class ResultsModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The results the rows show from now on, all of them at once; the answers are forgotten.
  void show(const ScanResults& results);
  // The result rows the views know, counted from 0.
  int resultRows() const { return published_; }
  // Held while a caller reads rows through address(), page() or text(): the scan's thread
  // changes the results meanwhile.
  [[nodiscard]] std::unique_lock<std::recursive_mutex> reading() const {
    return results_ ? results_->reading() : std::unique_lock<std::recursive_mutex>();
  }
  std::string_view address(int row) const;
  const std::string& page(int row) const;
  // The answer in DNS of the address's domain, empty while none came.
  const std::string& answer(int row) const;
  // Columns 1 to 3 (address, page, answer) of a result row, for the filter and the sort.
  std::string_view text(int row, int column) const;
  // A cell as the grid shows it: row 0 is the heading, then the result rows.
  std::string cell(int gridRow, int column) const;

  const std::string& answerOf(const std::string& domain) const;
  // The domain's answer in DNS: the DNS column appears with the first.
  void setDomainAnswer(const std::string& domain, std::string answer);
  // Changes with every answer, for the views that show them.
  int answersSeen() const { return answersSeen_; }
  std::string format() const { return format_; }
  // Writes the heading cells anew from a format of "|"-separated cells.
  void setFormat(std::string format);
  // Tells the views about the rows added since the last call.
  void publish();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const ScanResults* results_ = nullptr;
  std::array<std::string, 3> heading_;
  int published_ = 0;
  std::string format_;
  std::unordered_map<std::string, std::string> answers_;  // by domain
  bool dnsShown_ = false;
  int answersSeen_ = 0;
  bool answersChanged_ = false;  // told to the views on publish()
};

}  // namespace korvex::ui
