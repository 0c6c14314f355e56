#include "ui/results_model.h"

#include "base/text.h"

namespace korvex::ui {

namespace {
const std::string kNone;

int rowsOf(const ScanResults& results) {
  const auto lock = results.reading();
  return static_cast<int>(results.addresses().size());
}
}  // namespace

void ResultsModel::show(const ScanResults& results) {
  beginResetModel();
  results_ = &results;
  published_ = rowsOf(results);
  answers_.clear();
  dnsShown_ = false;
  ++answersSeen_;
  answersChanged_ = false;
  endResetModel();
}

std::string_view ResultsModel::address(int row) const {
  return row < published_ ? results_->addresses().address(static_cast<size_t>(row)) : "";
}

const std::string& ResultsModel::page(int row) const {
  return row < published_ ? results_->addresses().page(static_cast<size_t>(row)) : kNone;
}

const std::string& ResultsModel::answer(int row) const {
  // The filter asks every row on every key: no domain is worked out while no answer came.
  return answers_.empty() || row >= published_ ? kNone : answerOf(domainOf(address(row)));
}

std::string_view ResultsModel::text(int row, int column) const {
  switch (column) {
    case 1:
      return address(row);
    case 2:
      return page(row);
    case 3:
      return answer(row);
    default:
      return {};
  }
}

std::string ResultsModel::cell(int gridRow, int column) const {
  if (gridRow < 0 || column < 0 || column > 2) return {};
  if (gridRow == 0) return heading_[column];
  const int row = gridRow - 1;
  if (row >= published_) return {};
  const auto lock = results_->reading();
  return column == 0 ? std::to_string(row + 1) : std::string(text(row, column));
}

const std::string& ResultsModel::answerOf(const std::string& domain) const {
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
  for (size_t c = 0; c < heading_.size(); ++c)
    heading_[c] = c < cells.size() ? trimmed(cells[c]) : std::string();
  emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void ResultsModel::publish() {
  if (answersChanged_ && published_ > 0) emit dataChanged(index(0, 3), index(published_ - 1, 3));
  answersChanged_ = false;
  const int total = results_ ? rowsOf(*results_) : 0;
  if (total < published_) {  // emptied without show()
    show(*results_);
    return;
  }
  if (total == published_) return;
  // The empty row below the heading becomes the first result.
  if (published_ == 0) {
    published_ = 1;
    emit dataChanged(index(0, 0), index(0, columnCount() - 1));
  }
  if (total == published_) return;
  beginInsertRows({}, published_, total - 1);
  published_ = total;
  endInsertRows();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(published_, 1);
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : (dnsShown_ ? 4 : 3);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) return {};
  if (index.column() == 0) return QString::number(index.row() + 1);
  const auto lock = results_->reading();
  const std::string_view text = this->text(index.row(), index.column());
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return {};
  if (section == 3 && dnsShown_) return QStringLiteral("DNS");
  if (section < 0 || section > 2) return {};
  return QString::fromStdString(heading_[section]);
}

}  // namespace korvex::ui
