#include "ui/domains_tab.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "base/text.h"
#include "ui/named.h"
#include "ui/results_model.h"

namespace korvex::ui {
namespace {

enum Column { kDomain, kCount, kBar };

// A bar as long as the row's share of the largest count.
class BarDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, QModelIndex());
    const double share = index.data(Qt::UserRole).toDouble();
    QRect bar = option.rect.adjusted(2, 3, -2, -3);
    bar.setWidth(std::max(1, static_cast<int>(bar.width() * share)));
    painter->fillRect(bar, option.palette.highlight());
  }
};

}  // namespace

DomainsModel::DomainsModel(ResultsModel* grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
  connect(grid, &QAbstractItemModel::rowsInserted, this, [this] { countNewRows(); });
  connect(grid, &QAbstractItemModel::dataChanged, this, [this] { countNewRows(); });
  connect(grid, &QAbstractItemModel::modelReset, this, [this] {
    beginResetModel();
    counted_ = 0;
    counts_.clear();
    rows_.clear();
    endResetModel();
    countNewRows();
  });
}

void DomainsModel::countNewRows() {
  const int rows = grid_->rowCount();
  const int before = counted_;
  // A row without its address yet (the grid's first, until the first address) waits.
  for (; counted_ < rows && !grid_->result(counted_, 1).empty(); ++counted_) {
    const std::string& address = grid_->result(counted_, 1);
    ++counts_[asciiLowerCopy(address.substr(address.rfind('@') + 1))];
  }
  if (counted_ == before) return;
  beginResetModel();
  rows_.assign(counts_.begin(), counts_.end());
  std::sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  endResetModel();
}

int DomainsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DomainsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant DomainsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto& [domain, count] = rows_[index.row()];
  if (role == Qt::UserRole && index.column() == kBar)
    return static_cast<double>(count) / rows_.front().second;
  if (role != Qt::DisplayRole) return {};
  if (index.column() == kDomain) return QString::fromStdString(domain);
  if (index.column() == kCount) return count;
  return {};
}

QVariant DomainsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  static const char* kHeadings[] = {"Domain", "Addresses", "Share"};
  return section >= 0 && section < 3 ? QString::fromLatin1(kHeadings[section]) : QVariant();
}

DomainsTab::DomainsTab(ResultsModel* grid, QWidget* parent)
    : QWidget(parent),
      lstDomains(named<QTableView>("lstDomains")),
      domains(new DomainsModel(grid, this)) {
  lstDomains->setModel(domains);
  lstDomains->setItemDelegateForColumn(kBar, new BarDelegate(lstDomains));
  lstDomains->verticalHeader()->hide();
  lstDomains->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstDomains->setSelectionMode(QAbstractItemView::SingleSelection);
  lstDomains->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstDomains->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lstDomains->horizontalHeader()->setStretchLastSection(true);
  lstDomains->setColumnWidth(kDomain, 40 * fontMetrics().averageCharWidth());
  lstDomains->setAccessibleName(QStringLiteral("Addresses by domain"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstDomains);
  connect(lstDomains, &QTableView::activated, this, [this](const QModelIndex& index) {
    if (chosen && index.isValid()) chosen(domains->domain(index.row()));
  });
  connect(lstDomains, &QTableView::clicked, this, [this](const QModelIndex& index) {
    if (chosen && index.isValid()) chosen(domains->domain(index.row()));
  });
}

}  // namespace korvex::ui
