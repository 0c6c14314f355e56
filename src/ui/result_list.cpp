#include "ui/result_list.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <set>

namespace korvex::ui {

void ResultList::show(const ScanResults& results) {
  beginResetModel();
  results_ = &results;
  published_ = available();
  endResetModel();
}

int ResultList::available() const {
  if (!results_) return 0;
  const auto lock = results_->reading();
  return static_cast<int>(of_ == Of::Addresses ? results_->addresses().size()
                                               : results_->scanned().size());
}

void ResultList::publish() {
  const int total = available();
  if (total < published_) {  // emptied without show()
    show(*results_);
    return;
  }
  if (total == published_) return;
  beginInsertRows({}, published_, total - 1);
  published_ = total;
  endInsertRows();
}

std::string_view ResultList::line(int row) const {
  if (row < 0 || row >= published_) return {};
  const auto i = static_cast<size_t>(row);
  return of_ == Of::Addresses ? results_->addresses().address(i)
                              : std::string_view(results_->scanned()[i]);
}

int ResultList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : published_;
}

QVariant ResultList::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) return {};
  const auto lock = results_->reading();
  const std::string_view text = line(index.row());
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ResultListView::ResultListView(ResultList::Of of, QWidget* parent)
    : QTableView(parent), lines_(new ResultList(of, this)) {
  setModel(lines_);
  horizontalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);  // as a text box's lines
  setShowGrid(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideMiddle);  // a long URL keeps both ends; its tooltip has it whole
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(lines_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
    followingEnd_ = verticalScrollBar()->value() == verticalScrollBar()->maximum();
  });
  connect(lines_, &QAbstractItemModel::rowsInserted, this, [this] {
    if (followingEnd_) scrollToBottom();
  });
}

void ResultListView::keyPressEvent(QKeyEvent* event) {
  if (!event->matches(QKeySequence::Copy)) {
    QTableView::keyPressEvent(event);
    return;
  }
  std::set<int> rows;  // in the order shown
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  QString text;
  for (int row : rows) text += lines_->data(lines_->index(row), Qt::DisplayRole).toString() + '\n';
  QApplication::clipboard()->setText(text);
}

}  // namespace korvex::ui
