#include "ui/results_model.h"

#include "base/text.h"

namespace korvex::ui {

std::string ResultsModel::cell(int row, int column) const {
  if (row < 0 || row >= gridRows() || column < 0 || column > 2) return {};
  return row == 0 ? heading_[column] : rows_[row - 1][column];
}

void ResultsModel::setCell(int row, int column, std::string text) {
  if (row < 0 || row >= gridRows() || column < 0 || column > 2) return;
  if (row == 0) {
    heading_[column] = std::move(text);
    emit headerDataChanged(Qt::Horizontal, column, column);
    return;
  }
  rows_[row - 1][column] = std::move(text);
  if (row - 1 < published_) emit dataChanged(index(row - 1, column), index(row - 1, column));
}

void ResultsModel::setRows(int rows) {
  beginResetModel();
  rows_.resize(rows < 1 ? 0 : static_cast<size_t>(rows - 1));
  published_ = static_cast<int>(rows_.size());
  endResetModel();
}

void ResultsModel::clear() {
  beginResetModel();
  heading_ = {};
  for (Row& row : rows_) row = {};
  published_ = static_cast<int>(rows_.size());
  answers_.clear();
  dnsShown_ = false;
  ++answersSeen_;
  endResetModel();
}

const std::string& ResultsModel::answerOf(const std::string& domain) const {
  static const std::string kNone;
  const auto found = answers_.find(domain);
  return found == answers_.end() ? kNone : found->second;
}

void ResultsModel::setDomainAnswer(const std::string& domain, std::string answer) {
  if (!dnsShown_) {
    beginInsertColumns({}, 3, 3);
    dnsShown_ = true;
    endInsertColumns();
  }
  answers_[domain] = std::move(answer);
  ++answersSeen_;
  answersChanged_ = true;
}

void ResultsModel::setFormat(std::string format) {
  format_ = std::move(format);
  const auto cells = split(format_, "|");
  for (int c = 0; c < 3; ++c)
    setCell(0, c, c < static_cast<int>(cells.size()) ? trimmed(cells[c]) : std::string());
}

void ResultsModel::publish() {
  if (answersChanged_ && published_ > 0) emit dataChanged(index(0, 3), index(published_ - 1, 3));
  answersChanged_ = false;
  const int total = static_cast<int>(rows_.size());
  if (total <= published_) return;
  beginInsertRows({}, published_, total - 1);
  published_ = total;
  endInsertRows();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : published_;
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : (dnsShown_ ? 4 : 3);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) return {};
  return QString::fromStdString(result(index.row(), index.column()));
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return {};
  if (section == 3 && dnsShown_) return QStringLiteral("DNS");
  if (section < 0 || section > 2) return {};
  return QString::fromStdString(heading_[section]);
}

}  // namespace korvex::ui
