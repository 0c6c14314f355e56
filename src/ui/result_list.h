// The boxes of scanned URLs and of addresses: lists over the results its scan's session
// holds, read under their lock, keeping no copy of a line. Lines reach the view in batches, on
// publish(); the view follows the last line while it is shown, and Ctrl+C copies the selected
// lines. The view is a table of one column: a list view lays out every row again on each
// insertion, a table only the rows it shows.
#pragma once

#include <QAbstractListModel>
#include <QTableView>
#include <string_view>

#include "crawl/scan_results.h"

namespace korvex::ui {

class ResultList final : public QAbstractListModel {
 public:
  enum class Of { ScannedUrls, Addresses };
  explicit ResultList(Of of, QObject* parent = nullptr) : QAbstractListModel(parent), of_(of) {}

  // The results the lines show from now on, all of them at once.
  void show(const ScanResults& results);
  // Tells the view about the lines added since the last call.
  void publish();
  std::string_view line(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int available() const;

  Of of_;
  const ScanResults* results_ = nullptr;
  int published_ = 0;
};

class ResultListView final : public QTableView {
 public:
  explicit ResultListView(ResultList::Of of, QWidget* parent = nullptr);
  ResultList* lines() const { return lines_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ResultList* lines_;
  bool followingEnd_ = true;
};

}  // namespace korvex::ui
