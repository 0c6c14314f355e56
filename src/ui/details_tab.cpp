#include "ui/details_tab.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/named.h"
#include "ui/results_model.h"

namespace korvex::ui {
namespace {
// The heading format gives the columns 7, 74 and 171 characters.
constexpr int kColumnChars[] = {7, 74, 171};
}  // namespace

DetailsTab::DetailsTab(ResultsModel* model, QWidget* parent)
    : QWidget(parent),
      flxDetails(named<QTableView>("flxDetails")),
      txtRefusedURLs(named<QPlainTextEdit>("txtRefusedURLs")) {
  txtRefusedURLs->setReadOnly(true);
  txtRefusedURLs->setLineWrapMode(QPlainTextEdit::NoWrap);
  flxDetails->setModel(model);
  flxDetails->verticalHeader()->hide();
  flxDetails->setWordWrap(false);
  flxDetails->setSelectionBehavior(QAbstractItemView::SelectRows);
  flxDetails->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Uniform rows: the view then never measures 100,000 rows.
  flxDetails->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  flxDetails->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  flxDetails->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const int charWidth = fontMetrics().averageCharWidth();
  for (int c = 0; c < 2; ++c) flxDetails->setColumnWidth(c, kColumnChars[c] * charWidth);
  flxDetails->horizontalHeader()->setStretchLastSection(true);
  flxDetails->horizontalHeader()->setMinimumSectionSize(kColumnChars[0] * charWidth);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(flxDetails, 3);
  layout->addWidget(named<QLabel>("lblRefusedURLs", QStringLiteral("Refused by robots.txt:")));
  layout->addWidget(txtRefusedURLs, 1);
}

}  // namespace korvex::ui
