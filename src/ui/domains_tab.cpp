#include "ui/domains_tab.h"

#include <QCheckBox>
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

enum Column { kDomain, kCount, kDns, kBar };

// The answers of domains that cannot receive mail.
bool takesNoMail(const std::string& answer) {
  return answer == "no mail" || answer == "no such domain";
}

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
  const int rows = grid_->resultRows();
  const int before = counted_;
  {
    const auto lock = grid_->reading();
    for (; counted_ < rows; ++counted_) {
      const std::string_view address = grid_->address(counted_);
      ++counts_[asciiLowerCopy(address.substr(address.rfind('@') + 1))];
    }
  }
  if (counted_ == before && answersShown_ == grid_->answersSeen()) return;
  showRows();
}

void DomainsModel::setHidingNoMail(bool hiding) {
  hidingNoMail_ = hiding;
  showRows();
}

void DomainsModel::showRows() {
  answersShown_ = grid_->answersSeen();
  beginResetModel();
  rows_.clear();
  for (const auto& entry : counts_)
    if (!hidingNoMail_ || !takesNoMail(grid_->answerOf(entry.first))) rows_.push_back(entry);
  std::sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  endResetModel();
}

int DomainsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DomainsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant DomainsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto& [domain, count] = rows_[index.row()];
  if (role == Qt::UserRole && index.column() == kBar)
    return static_cast<double>(count) / rows_.front().second;
  if (role != Qt::DisplayRole) return {};
  if (index.column() == kDomain) return QString::fromStdString(domain);
  if (index.column() == kCount) return count;
  if (index.column() == kDns) return QString::fromStdString(grid_->answerOf(domain));
  return {};
}

QVariant DomainsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  static const char* kHeadings[] = {"Domain", "Addresses", "DNS", "Share"};
  return section >= 0 && section < 4 ? QString::fromLatin1(kHeadings[section]) : QVariant();
}

DomainsTab::DomainsTab(ResultsModel* grid, QWidget* parent)
    : QWidget(parent),
      lstDomains(named<QTableView>("lstDomains")),
      chkHideNoMail(
          named<QCheckBox>("chkHideNoMail", QStringLiteral("Hide the domains that take no mail"))),
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
  lstDomains->setColumnWidth(kDns, 24 * fontMetrics().averageCharWidth());
  lstDomains->setWordWrap(false);
  lstDomains->setAccessibleName(QStringLiteral("Addresses by domain"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chkHideNoMail);
  layout->addWidget(lstDomains);
  connect(chkHideNoMail, &QCheckBox::toggled, this,
          [this](bool hiding) { domains->setHidingNoMail(hiding); });
  connect(lstDomains, &QTableView::activated, this, [this](const QModelIndex& index) {
    if (chosen && index.isValid()) chosen(domains->domain(index.row()));
  });
  connect(lstDomains, &QTableView::clicked, this, [this](const QModelIndex& index) {
    if (chosen && index.isValid()) chosen(domains->domain(index.row()));
  });
}

}  // namespace korvex::ui
