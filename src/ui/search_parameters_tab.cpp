#include "ui/search_parameters_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/field_checks.h"
#include "ui/named.h"

namespace korvex::ui {
namespace {

QComboBox* numberList(const char* name, int last) {
  auto* combo = named<QComboBox>(name);  // not editable: no value outside the list
  for (int i = 1; i <= last; ++i) combo->addItem(QString::number(i));
  return combo;
}

QPlainTextEdit* keywordBox(const char* name) {
  auto* box = named<QPlainTextEdit>(name);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);  // one keyword per line, both scroll bars
  box->setTabChangesFocus(true);
  return box;
}

// A frame of keyword rules: the two boxes and the "Must Condition" options.
QGroupBox* rulesFrame(const char* name, const QString& title, const char* mustLabel,
                      QPlainTextEdit* must, const char* mustNotLabel, QPlainTextEdit* mustNot,
                      QGroupBox* condition, QRadioButton* any, QRadioButton* all) {
  auto* frame = named<QGroupBox>(name, title);
  auto* options = new QVBoxLayout(condition);
  options->addWidget(any);
  options->addWidget(all);
  options->addStretch();
  auto* grid = new QGridLayout(frame);
  grid->addWidget(labelFor<QLabel>(mustLabel, QStringLiteral("Must Contain Keywords:"), must), 0,
                  0);
  grid->addWidget(
      labelFor<QLabel>(mustNotLabel, QStringLiteral("Must Not Contain Keywords:"), mustNot), 0, 1);
  grid->addWidget(must, 1, 0);
  grid->addWidget(mustNot, 1, 1);
  grid->addWidget(condition, 1, 2);
  grid->setRowStretch(1, 1);
  return frame;
}

}  // namespace

SearchParametersTab::SearchParametersTab(QWidget* parent)
    : QWidget(parent),
      optURL(named<QRadioButton>("optURL", QStringLiteral("Based On URL"))),
      optKeyword(named<QRadioButton>("optKeyword", QStringLiteral("Based On Keyword"))),
      optURLList(named<QRadioButton>("optURLList", QStringLiteral("Based On URL List"))),
      txtURLList(keywordBox("txtURLList")),
      cmdLoadURLs(named<QPushButton>("cmdLoadURLs", QStringLiteral("&Load..."))),
      txtEngineJson(named<QLineEdit>("txtEngineJson")),
      lblSearch(named<QLabel>("lblSearch", QStringLiteral("Base URL:"))),
      txtBaseURL(named<QLineEdit>("txtBaseURL")),
      cboDepth(numberList("cboDepth", kMaxDepth)),
      txtNoOfPages(named<QLineEdit>("txtNoOfPages")),
      txtMaxTime(named<QLineEdit>("txtMaxTime")),
      cboThreads(numberList("cboThreads", kMaxThreads)),
      txtURLMustKeyword(keywordBox("txtURLMustKeyword")),
      txtURLMustNotKeyword(keywordBox("txtURLMustNotKeyword")),
      fraURLMust(named<QGroupBox>("fraURLMust", QStringLiteral("Must Condition"))),
      OptURLAny(named<QRadioButton>("OptURLAny", QStringLiteral("Match any one of the word"))),
      OptURLAll(named<QRadioButton>("OptURLAll", QStringLiteral("Match All Words"))),
      txtPagesMustKeyword(keywordBox("txtPagesMustKeyword")),
      txtPagesMustNotKeyword(keywordBox("txtPagesMustNotKeyword")),
      fraPageMust(named<QGroupBox>("fraPageMust", QStringLiteral("Must Condition"))),
      OptPagesAny(named<QRadioButton>("OptPagesAny", QStringLiteral("Match any one of the word"))),
      OptPagesAll(named<QRadioButton>("OptPagesAll", QStringLiteral("Match All Words"))),
      chkObeyRobots(named<QCheckBox>("chkObeyRobots", QStringLiteral("Obey robots.txt"))),
      txtDelayPerHost(named<QLineEdit>("txtDelayPerHost")),
      txtUserAgent(named<QLineEdit>("txtUserAgent")),
      cboScope(named<QComboBox>("cboScope")),
      chkSitemaps(named<QCheckBox>("chkSitemaps", QStringLiteral("Read the site's sitemaps"))),
      chkCheckDomains(named<QCheckBox>("chkCheckDomains",
                                       QStringLiteral("Check the addresses' domains (DNS)"))),
      chkDocuments(named<QCheckBox>("chkDocuments",
                                    QStringLiteral("Read documents (PDF and office files)"))) {
  // The texts are the setting's values (see the settings table).
  cboScope->addItems({QStringLiteral("any site"), QStringLiteral("this host"),
                      QStringLiteral("this site and its subdomains")});
  lblSearch->setBuddy(txtBaseURL);
  auto* mode = new QHBoxLayout;
  mode->addWidget(named<QLabel>("Label16", QStringLiteral("Search Criteria:")));
  mode->addWidget(optURL);
  mode->addWidget(optKeyword);
  mode->addWidget(optURLList);
  mode->addStretch();

  auto* listRow = new QWidget;
  auto* list = new QHBoxLayout(listRow);
  list->setContentsMargins(0, 0, 0, 0);
  list->addWidget(labelFor<QLabel>("lblURLList", QStringLiteral("URL list:"), txtURLList));
  list->addWidget(txtURLList, 1);
  list->addWidget(cmdLoadURLs, 0, Qt::AlignTop);
  txtURLList->setFixedHeight(5 * fontMetrics().lineSpacing() + 8);
  listRow->setVisible(false);
  connect(optURLList, &QRadioButton::toggled, listRow, &QWidget::setVisible);

  auto* engineRow = new QWidget;
  auto* engine = new QHBoxLayout(engineRow);
  engine->setContentsMargins(0, 0, 0, 0);
  engine->addWidget(
      labelFor<QLabel>("lblEngineJson", QStringLiteral("JSON engine:"), txtEngineJson));
  engine->addWidget(txtEngineJson, 1);
  txtEngineJson->setPlaceholderText(
      QStringLiteral("Optional: a metasearch engine that answers JSON"));
  engineRow->setVisible(false);
  connect(optKeyword, &QRadioButton::toggled, engineRow, &QWidget::setVisible);

  auto* fields = new QGridLayout;
  fields->addWidget(lblSearch, 0, 0);
  fields->addWidget(txtBaseURL, 0, 1, 1, 5);
  fields->addWidget(labelFor<QLabel>("Label3", QStringLiteral("Depth:"), cboDepth), 1, 0);
  fields->addWidget(cboDepth, 1, 1);
  fields->addWidget(labelFor<QLabel>("Label4", QStringLiteral("Max No of Pages:"), txtNoOfPages), 1,
                    2);
  fields->addWidget(txtNoOfPages, 1, 3);
  fields->addWidget(labelFor<QLabel>("Label1", QStringLiteral("Max Time/Page:"), txtMaxTime), 2, 0);
  auto* time = new QHBoxLayout;
  time->addWidget(txtMaxTime);
  time->addWidget(named<QLabel>("Label19", QStringLiteral("Min.")));
  fields->addLayout(time, 2, 1);
  fields->addWidget(labelFor<QLabel>("Label7", QStringLiteral("No. of Threads:"), cboThreads), 2,
                    2);
  fields->addWidget(cboThreads, 2, 3);
  fields->addWidget(chkObeyRobots, 3, 0, 1, 2);
  fields->addWidget(
      labelFor<QLabel>("lblDelayPerHost", QStringLiteral("Delay per host (ms):"), txtDelayPerHost),
      3, 2);
  fields->addWidget(txtDelayPerHost, 3, 3);
  fields->addWidget(labelFor<QLabel>("lblUserAgent", QStringLiteral("User agent:"), txtUserAgent),
                    4, 0);
  fields->addWidget(txtUserAgent, 4, 1, 1, 5);
  fields->addWidget(labelFor<QLabel>("lblScope", QStringLiteral("Stay on:"), cboScope), 5, 0);
  fields->addWidget(cboScope, 5, 1);
  fields->addWidget(chkSitemaps, 5, 2, 1, 2);
  fields->addWidget(chkDocuments, 6, 0, 1, 2);
  fields->addWidget(chkCheckDomains, 6, 2, 1, 2);
  fields->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(mode);
  layout->addLayout(fields);
  layout->addWidget(listRow);
  layout->addWidget(engineRow);
  layout->addWidget(
      rulesFrame("Frame2", QStringLiteral("Skip/Scan URL Keywords"), "Label15", txtURLMustKeyword,
                 "Label17", txtURLMustNotKeyword, fraURLMust, OptURLAny, OptURLAll),
      1);
  layout->addWidget(rulesFrame("Frame3", QStringLiteral("Skip/Scan Pages Keywords"), "Label20",
                               txtPagesMustKeyword, "Label18", txtPagesMustNotKeyword, fraPageMust,
                               OptPagesAny, OptPagesAll),
                    1);
}

}  // namespace korvex::ui
