#include "ui/widget_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "base/text.h"
#include "ui/details_tab.h"
#include "ui/result_list.h"
#include "ui/results_model.h"
#include "ui/search_parameters_tab.h"
#include "ui/search_results_tab.h"

namespace korvex::ui {
namespace {

// Often enough to look live, rarely enough that a fast crawl spends its time crawling.
constexpr std::chrono::milliseconds kRepaintEvery{100};

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Multi-line boxes hold lines ended by CR LF, as the engine writes and splits them.
QString toWidget(std::string_view text) {
  return qs(replaceAll(text, kCrLf, "\n"));
}

std::string fromWidget(const QString& text) {
  return replaceAll(text.toStdString(), "\n", kCrLf);
}

void showEnd(QPlainTextEdit* box) {
  // The box shows its last line, with nothing selected.
  box->moveCursor(QTextCursor::End);
  box->horizontalScrollBar()->setValue(0);
  box->ensureCursorVisible();
}

}  // namespace

WidgetWindow::WidgetWindow(SearchResultsTab& results, SearchParametersTab& parameters,
                           DetailsTab& details, QWidget& delimiter, ResultsModel& grid,
                           QObject* parent)
    : QObject(parent),
      results_(results),
      parameters_(parameters),
      details_(details),
      delimiter_(delimiter),
      grid_(grid),
      flushTimer_(new QTimer(this)) {
  flushTimer_->setSingleShot(true);
  flushTimer_->setInterval(kRepaintEvery);
  connect(flushTimer_, &QTimer::timeout, this, [this] { flush(); });
}

int WidgetWindow::keptIndex(Field field) {
  switch (field) {
    case Field::txtNoOfEmails:
      return 0;
    case Field::txtNoOfURLs:
      return 1;
    case Field::txtNoOfValidUrls:
      return 2;
    case Field::txtNoOfExtUrl:
      return 3;
    case Field::txtNoOfRefused:
      return 4;
    case Field::txtRefusedURLs:
      return 5;
    case Field::txtNoOfOutOfScope:
      return 6;
    default:
      return -1;
  }
}

QWidget* WidgetWindow::widget(Field field) const {
  switch (field) {
    case Field::txtBaseURL:
      return parameters_.txtBaseURL;
    case Field::txtNoOfEmails:
      return results_.txtNoOfEmails;
    case Field::txtNoOfURLs:
      return results_.txtNoOfURLs;
    case Field::txtNoOfValidUrls:
      return results_.txtNoOfValidUrls;
    case Field::txtNoOfExtUrl:
      return results_.txtNoOfExtUrl;
    case Field::txtNoOfPages:
      return parameters_.txtNoOfPages;
    case Field::txtMaxTime:
      return parameters_.txtMaxTime;
    case Field::txtURLMustKeyword:
      return parameters_.txtURLMustKeyword;
    case Field::txtURLMustNotKeyword:
      return parameters_.txtURLMustNotKeyword;
    case Field::txtPagesMustKeyword:
      return parameters_.txtPagesMustKeyword;
    case Field::txtPagesMustNotKeyword:
      return parameters_.txtPagesMustNotKeyword;
    case Field::txtDelimiter:
      return &delimiter_;
    case Field::cboDepth:
      return parameters_.cboDepth;
    case Field::cboThreads:
      return parameters_.cboThreads;
    case Field::lblStatus:
      return results_.lblStatus;
    case Field::lblDetails:
      return results_.lblDetails;
    case Field::txtDelayPerHost:
      return parameters_.txtDelayPerHost;
    case Field::txtUserAgent:
      return parameters_.txtUserAgent;
    case Field::txtNoOfRefused:
      return results_.txtNoOfRefused;
    case Field::txtRefusedURLs:
      return details_.txtRefusedURLs;
    case Field::txtURLList:
      return parameters_.txtURLList;
    case Field::cboScope:
      return parameters_.cboScope;
    case Field::txtNoOfOutOfScope:
      return results_.txtNoOfOutOfScope;
    case Field::txtEngineJson:
      return parameters_.txtEngineJson;
  }
  return nullptr;
}

std::string WidgetWindow::text(Field field) const {
  QWidget* w = widget(field);
  if (const int k = keptIndex(field); k >= 0) {
    if (!qobject_cast<QPlainTextEdit*>(w) || kept_[k].reset) return kept_[k].text;
    return fromWidget(static_cast<QPlainTextEdit*>(w)->toPlainText()) + kept_[k].text;
  }
  if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text().toStdString();
  if (auto* box = qobject_cast<QPlainTextEdit*>(w)) return fromWidget(box->toPlainText());
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
  return {};
}

void WidgetWindow::setText(Field field, std::string text) {
  if (const int k = keptIndex(field); k >= 0) {
    kept_[k] = {.text = std::move(text), .reset = true, .changed = true};
    scheduleFlush();
    return;
  }
  QWidget* w = widget(field);
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->setText(qs(text));
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
    box->setPlainText(toWidget(text));
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    combo->setCurrentIndex(combo->findText(qs(text)));
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(qs(text));
  }
}

void WidgetWindow::appendText(Field field, std::string_view text) {
  if (const int k = keptIndex(field); k >= 0) {
    kept_[k].text.append(text);
    kept_[k].changed = true;
    scheduleFlush();
    return;
  }
  setText(field, this->text(field) + std::string(text));
}

bool WidgetWindow::hasSelection(Field combo) const {
  auto* c = qobject_cast<QComboBox*>(widget(combo));
  return c && c->currentIndex() >= 0;
}

void WidgetWindow::focus(Field field) {
  // A field on a tab that is not shown cannot take the focus; nothing more happens then.
  if (QWidget* w = widget(field); w && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
}

namespace {
QAbstractButton* optionButton(SearchParametersTab& p, Option option) {
  switch (option) {
    case Option::optURL:
      return p.optURL;
    case Option::optKeyword:
      return p.optKeyword;
    case Option::OptURLAny:
      return p.OptURLAny;
    case Option::OptURLAll:
      return p.OptURLAll;
    case Option::OptPagesAny:
      return p.OptPagesAny;
    case Option::OptPagesAll:
      return p.OptPagesAll;
    case Option::optURLList:
      return p.optURLList;
    case Option::chkSitemaps:
      return p.chkSitemaps;
    case Option::chkCheckDomains:
      return p.chkCheckDomains;
    case Option::chkDocuments:
      return p.chkDocuments;
    case Option::chkObeyRobots:
      return p.chkObeyRobots;
  }
  return nullptr;
}

QPushButton* button(SearchResultsTab& r, Button b) {
  switch (b) {
    case Button::cmdScan:
      return r.cmdScan;
    case Button::cmdPause:
      return r.cmdPause;
    case Button::cmdStop:
      return r.cmdStop;
  }
  return nullptr;
}
}  // namespace

bool WidgetWindow::option(Option o) const {
  return optionButton(parameters_, o)->isChecked();
}

void WidgetWindow::setOption(Option o, bool selected) {
  QAbstractButton* b = optionButton(parameters_, o);
  // An exclusive option cannot be cleared directly; clearing leaves its group with none.
  const bool exclusive = b->autoExclusive();
  b->setAutoExclusive(exclusive && selected);
  b->setChecked(selected);
  b->setAutoExclusive(exclusive);
}

bool WidgetWindow::enabled(Button b) const {
  return button(results_, b)->isEnabled();
}

void WidgetWindow::setEnabled(Button b, bool enabled) {
  button(results_, b)->setEnabled(enabled);
}

std::string WidgetWindow::caption(Button b) const {
  return button(results_, b)->text().toStdString();
}

void WidgetWindow::setCaption(Button b, std::string caption) {
  button(results_, b)->setText(qs(caption));
}

std::string WidgetWindow::gridFormat() const {
  return grid_.format();
}

void WidgetWindow::setGridFormat(std::string format) {
  grid_.setFormat(std::move(format));
}

void WidgetWindow::showResults(const ScanResults& results) {
  grid_.show(results);
  results_.txtURLs->lines()->show(results);
  results_.txtEmail->lines()->show(results);
}

void WidgetWindow::resultsAdded() {
  scheduleFlush();
}

void WidgetWindow::setDomainAnswer(const std::string& domain, const std::string& answer) {
  grid_.setDomainAnswer(domain, answer);
  scheduleFlush();
}

void WidgetWindow::scheduleFlush() {
  if (!flushTimer_->isActive()) flushTimer_->start();
}

void WidgetWindow::flush() {
  flushTimer_->stop();
  for (Field field :
       {Field::txtNoOfEmails, Field::txtNoOfURLs, Field::txtNoOfValidUrls, Field::txtNoOfExtUrl,
        Field::txtNoOfRefused, Field::txtRefusedURLs, Field::txtNoOfOutOfScope}) {
    Kept& k = kept_[keptIndex(field)];
    if (!k.changed) continue;
    QWidget* w = widget(field);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
      line->setText(qs(k.text));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
      if (k.reset) {
        box->setPlainText(toWidget(k.text));
      } else {
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        end.insertText(toWidget(k.text));
      }
      showEnd(box);
      k.text.clear();
      k.text.shrink_to_fit();
    }
    k.reset = false;
    k.changed = false;
  }
  grid_.publish();
  results_.txtURLs->lines()->publish();
  results_.txtEmail->lines()->publish();
}

}  // namespace korvex::ui
