#include "ui/details_tab.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <set>

#include "ui/named.h"
#include "ui/results_filter.h"
#include "ui/results_model.h"

namespace korvex::ui {
namespace {
// The heading format gives the columns 7, 74 and 171 characters.
constexpr int kColumnChars[] = {7, 74, 171};
// The pages' column beside the DNS column, which takes what is left.
constexpr int kPageChars = 50;
}  // namespace

DetailsTab::DetailsTab(ResultsModel* model, QWidget* parent)
    : QWidget(parent),
      txtFilter(named<QLineEdit>("txtFilter")),
      lblShown(named<QLabel>("lblShown")),
      flxDetails(named<QTableView>("flxDetails")),
      txtRefusedURLs(named<QPlainTextEdit>("txtRefusedURLs")),
      shown(new ResultsFilter(model, this)),
      openPage([](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }),
      model_(model) {
  txtRefusedURLs->setReadOnly(true);
  txtRefusedURLs->setUndoRedoEnabled(false);
  txtRefusedURLs->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtFilter->setClearButtonEnabled(true);
  txtFilter->setPlaceholderText(QStringLiteral("Address, page or answer contains..."));
  flxDetails->setModel(shown);
  flxDetails->verticalHeader()->hide();
  flxDetails->setWordWrap(false);
  flxDetails->setSelectionBehavior(QAbstractItemView::SelectRows);
  flxDetails->setEditTriggers(QAbstractItemView::NoEditTriggers);
  flxDetails->setSortingEnabled(true);
  flxDetails->sortByColumn(0, Qt::AscendingOrder);
  flxDetails->setContextMenuPolicy(Qt::CustomContextMenu);
  flxDetails->setAccessibleName(QStringLiteral("Addresses with their pages"));
  // Uniform rows: the view then never measures 100,000 rows.
  flxDetails->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  flxDetails->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  flxDetails->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const int charWidth = fontMetrics().averageCharWidth();
  // Room beside the heading for the sort arrow.
  const int arrow = 3 * charWidth;
  for (int c = 0; c < 2; ++c) flxDetails->setColumnWidth(c, kColumnChars[c] * charWidth + arrow);
  flxDetails->horizontalHeader()->setStretchLastSection(true);
  flxDetails->horizontalHeader()->setMinimumSectionSize(kColumnChars[0] * charWidth);
  // The DNS column comes with the first answer: the pages keep most of the room.
  connect(model, &QAbstractItemModel::columnsInserted, this, [this, charWidth, arrow] {
    flxDetails->setColumnWidth(2, kPageChars * charWidth + arrow);
  });

  auto* filterLabel = named<QLabel>("lblFilter", QStringLiteral("&Filter:"));
  filterLabel->setBuddy(txtFilter);
  auto* refusedLabel = named<QLabel>("lblRefusedURLs", QStringLiteral("Refused by robots.txt:"));
  refusedLabel->setBuddy(txtRefusedURLs);
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(txtFilter, 1);
  filterRow->addWidget(lblShown);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filterRow);
  layout->addWidget(flxDetails, 3);
  layout->addWidget(refusedLabel);
  layout->addWidget(txtRefusedURLs, 1);

  connect(txtFilter, &QLineEdit::textChanged, this,
          [this](const QString& text) { shown->setFilterText(text.trimmed().toStdString()); });
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
    connect(shown, signal, this, [this] { showCount(); });
  connect(shown, &QAbstractItemModel::modelReset, this, [this] { showCount(); });
  connect(shown, &QAbstractItemModel::layoutChanged, this, [this] { showCount(); });
  // The view would copy its current cell only: Ctrl+C is taken before it sees it.
  flxDetails->installEventFilter(this);
  connect(flxDetails, &QTableView::customContextMenuRequested, this, &DetailsTab::contextMenu);
  connect(flxDetails, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.column() == 2 && !cellOf(index.row(), 2).isEmpty()) openPage(cellOf(index.row(), 2));
  });
  showCount();
}

bool DetailsTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == flxDetails && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(selectedRows());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QString DetailsTab::cellOf(int shownRow, int column) const {
  return QString::fromStdString(model_->cell(shown->gridRow(shownRow), column));
}

QString DetailsTab::selectedRows() const {
  std::set<int> rows;  // in the order shown
  for (const QModelIndex& index : flxDetails->selectionModel()->selectedIndexes())
    rows.insert(index.row());
  QString text;
  for (int row : rows)
    text += cellOf(row, 0) + '\t' + cellOf(row, 1) + '\t' + cellOf(row, 2) + '\n';
  return text;
}

void DetailsTab::showCount() {
  // The grid's first row is empty until the first address comes.
  const int results = model_->resultRows();
  lblShown->setText(
      QStringLiteral("%1 of %2 shown").arg(std::min(shown->rowCount(), results)).arg(results));
}

void DetailsTab::contextMenu(const QPoint& at) {
  const QModelIndex index = flxDetails->indexAt(at);
  if (!index.isValid() || cellOf(index.row(), 1).isEmpty()) return;
  const QString address = cellOf(index.row(), 1), page = cellOf(index.row(), 2);
  QMenu menu(this);
  menu.addAction(QStringLiteral("Copy address"), this,
                 [address] { QApplication::clipboard()->setText(address); });
  menu.addAction(QStringLiteral("Copy page URL"), this,
                 [page] { QApplication::clipboard()->setText(page); });
  menu.addAction(QStringLiteral("Open page in browser"), this, [this, page] { openPage(page); });
  menu.exec(flxDetails->viewport()->mapToGlobal(at));
}

}  // namespace korvex::ui
