#include "ui/search_results_tab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/clickable_label.h"
#include "ui/named.h"
#include "ui/result_list.h"

namespace korvex::ui {
namespace {

QLabel* bold(const char* name, const QString& text) {
  auto* label = named<QLabel>(name, text);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

ResultListView* resultBox(const char* name, ResultList::Of of) {
  auto* box = named<ResultListView>(name, of);
  box->setTabKeyNavigation(false);
  return box;
}

QLineEdit* counter(const char* name) {
  auto* box = named<QLineEdit>(name);
  box->setReadOnly(true);
  box->setAlignment(Qt::AlignRight);
  return box;
}

QLabel* buddied(QLabel* label, QWidget* buddy) {
  label->setBuddy(buddy);
  return label;
}

}  // namespace

SearchResultsTab::SearchResultsTab(QWidget* parent)
    : QWidget(parent),
      cmdScan(named<QPushButton>("cmdScan", QStringLiteral("Start"))),
      cmdPause(named<QPushButton>("cmdPause", QStringLiteral("Pause"))),
      cmdStop(named<QPushButton>("cmdStop", QStringLiteral("Stop"))),
      lblStatus(bold("lblStatus", QStringLiteral("Idle"))),
      lblProgress(named<QLabel>("lblProgress")),
      lblDetails(named<QLabel>("lblDetails")),
      txtURLs(resultBox("txtURLs", ResultList::Of::ScannedUrls)),
      txtEmail(resultBox("txtEmail", ResultList::Of::Addresses)),
      txtNoOfExtUrl(counter("txtNoOfExtUrl")),
      txtNoOfValidUrls(counter("txtNoOfValidUrls")),
      txtNoOfURLs(counter("txtNoOfURLs")),
      txtNoOfEmails(counter("txtNoOfEmails")),
      txtNoOfOutOfScope(counter("txtNoOfOutOfScope")),
      lblRefused(named<QLabel>("lblRefused", QStringLiteral("Refused by robots.txt:"))),
      txtNoOfRefused(counter("txtNoOfRefused")),
      lblVersion(bold("lblVersion", QStringLiteral("Version"))),
      lblAbout(named<ClickableLabel>("lblAbout", QStringLiteral("About"))) {
  lblDetails->setWordWrap(true);
  lblRefused->setBuddy(txtNoOfRefused);
  lblVersion->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
  QFont link = lblAbout->font();
  link.setBold(true);
  link.setUnderline(true);
  lblAbout->setFont(link);
  lblAbout->setStyleSheet(QStringLiteral("color: blue;"));
  lblAbout->setCursor(Qt::PointingHandCursor);
  lblAbout->setToolTip(QStringLiteral("Click to see the About box."));

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {cmdScan, cmdPause, cmdStop}) buttons->addWidget(b);
  buttons->addSpacing(16);
  buttons->addWidget(lblStatus);
  buttons->addSpacing(8);
  buttons->addWidget(lblProgress);
  buttons->addSpacing(16);
  buttons->addWidget(lblRefused);
  txtNoOfRefused->setMaximumWidth(80);
  buttons->addWidget(txtNoOfRefused);
  buttons->addStretch();
  buttons->addWidget(lblVersion);
  buttons->addSpacing(12);
  buttons->addWidget(lblAbout);

  auto* urls = new QVBoxLayout;
  urls->addWidget(buddied(bold("Label5", QStringLiteral("Scanned URLs")), txtURLs));
  urls->addWidget(txtURLs);
  auto* emails = new QVBoxLayout;
  emails->addWidget(buddied(bold("Label2", QStringLiteral("Email Addresses")), txtEmail));
  emails->addWidget(txtEmail);

  auto* log = named<QGroupBox>("Frame1", QStringLiteral("Log"));
  auto* counters = new QFormLayout(log);
  counters->addRow(labelFor<QLabel>("Label11", QStringLiteral("URLs Extracted:"), txtNoOfExtUrl),
                   txtNoOfExtUrl);
  counters->addRow(labelFor<QLabel>("Label21", QStringLiteral("Valid URLs:"), txtNoOfValidUrls),
                   txtNoOfValidUrls);
  counters->addRow(labelFor<QLabel>("Label8", QStringLiteral("Processed:"), txtNoOfURLs),
                   txtNoOfURLs);
  counters->addRow(labelFor<QLabel>("Label9", QStringLiteral("Emails Extracted:"), txtNoOfEmails),
                   txtNoOfEmails);
  counters->addRow(
      labelFor<QLabel>("lblOutOfScope", QStringLiteral("Out of scope:"), txtNoOfOutOfScope),
      txtNoOfOutOfScope);
  auto* side = new QVBoxLayout;
  side->addWidget(log);
  side->addStretch();

  auto* results = new QHBoxLayout;
  results->addLayout(urls, 3);
  results->addLayout(emails, 2);
  results->addLayout(side, 0);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(lblDetails);
  layout->addLayout(results, 1);
}

}  // namespace korvex::ui
