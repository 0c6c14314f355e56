#include "ui/frm_korvex.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

#include "base/text.h"
#include "output/save_results.h"
#include "settings/field_checks.h"
#include "settings/scan_settings.h"
#include "ui/artwork.h"
#include "ui/clickable_label.h"
#include "ui/details_tab.h"
#include "ui/domains_tab.h"
#include "ui/field_help.h"
#include "ui/frm_about.h"
#include "ui/named.h"
#include "ui/qt_dialogs.h"
#include "ui/results_model.h"
#include "ui/search_parameters_tab.h"
#include "ui/search_results_tab.h"
#include "ui/widget_window.h"
#include "window/scan_control.h"
#include "window/window_defaults.h"

namespace korvex::ui {
namespace {

const QColor kBackground(178, 200, 223);
// How often the level and the pages per second are shown anew during a scan.
constexpr std::chrono::milliseconds kProgressEvery{1000};
// How often a running scan's results are brought to the window's thread; the kept fields reach
// their widgets at their own repaint rate.
constexpr std::chrono::milliseconds kDeliverEvery{100};

// The banner Image1, drawn to the window's width.
class Banner final : public QWidget {
 public:
  Banner() {
    setObjectName(QStringLiteral("Image1"));
    setFixedHeight(64);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    QPixmap art = banner(qRound(width() * ratio), qRound(height() * ratio));
    art.setDevicePixelRatio(ratio);
    p.drawPixmap(0, 0, art);
  }
};

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

frmKorvex::frmKorvex(OnlineProbe online)
    : results_(new SearchResultsTab),
      parameters_(new SearchParametersTab),
      model_(new ResultsModel(this)),
      details_(new DetailsTab(model_)),
      domains_(new DomainsTab(model_)),
      SSTab1(named<QTabWidget>("SSTab1")),
      lblToolTip(named<QLabel>("lblToolTip")),
      txtDelimiter(named<QLineEdit>("txtDelimiter")),
      cmdSave(named<QPushButton>("cmdSave", QStringLiteral("&Save"))),
      cmdOpen(named<QPushButton>("cmdOpen", QStringLiteral("&Open..."))),
      cmdExit(named<QPushButton>("cmdExit", QStringLiteral("Exit"))),
      about_(new frmAbout(this)),
      window_(new WidgetWindow(*results_, *parameters_, *details_, *txtDelimiter, *model_, this)),
      dialogs_(std::make_unique<QtDialogs>(this)),
      control_(
          std::make_unique<ScanControl>(*window_, *dialogs_, realWorkers(), std::move(online))),
      delivery_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmKorvex"));
  setWindowTitle(qs(std::string(kTitle)));
  setWindowIcon(appIcon());
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBackground);
  setPalette(palette);
  about_->setWindowFlag(Qt::Window);

  SSTab1->addTab(results_, QStringLiteral("Search Results"));
  SSTab1->addTab(parameters_, QStringLiteral("Search Parameters"));
  SSTab1->addTab(details_, QStringLiteral("Details"));
  SSTab1->addTab(domains_, QStringLiteral("Domains"));
  domains_->chosen = [this](const std::string& domain) {
    details_->txtFilter->setText(qs("@" + domain));
    SSTab1->setCurrentWidget(details_);
  };
  QFont boldFont = lblToolTip->font();
  boldFont.setBold(true);
  lblToolTip->setFont(boldFont);
  txtDelimiter->setMaximumWidth(80);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblToolTip, 1);
  bottom->addWidget(labelFor<QLabel>("Label12", QStringLiteral("Delimiter:"), txtDelimiter));
  bottom->addWidget(txtDelimiter);
  bottom->addWidget(cmdSave);
  bottom->addWidget(cmdOpen);
  bottom->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 6);
  layout->addWidget(new Banner);
  auto* body = new QVBoxLayout;
  body->setContentsMargins(6, 0, 6, 0);
  body->addWidget(SSTab1, 1);
  body->addLayout(bottom);
  layout->addLayout(body, 1);

  connect(results_->cmdScan, &QPushButton::clicked, this, [this] { cmdScan_Click(); });
  connect(results_->cmdPause, &QPushButton::clicked, this, [this] {
    control_->cmdPause_Click();
    // A paused scan sends nothing: the window sleeps too, until Resume or Stop.
    if (results_->cmdPause->text() == QLatin1String("Resume"))
      delivery_->stop();
    else if (control_->scanning())
      delivery_->start();
  });
  connect(results_->cmdStop, &QPushButton::clicked, this, [this] {
    control_->cmdStop_Click();
    if (control_->scanning()) delivery_->start();
  });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdOpen, &QPushButton::clicked, this, [this] {
    const QString path = chooseJournalFile();
    if (!path.isEmpty()) unlessScanning([&] { control_->openJournal(path.toStdString()); });
  });
  connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
  connect(parameters_->cmdLoadURLs, &QPushButton::clicked, this, [this] {
    const QString path = chooseUrlListFile();
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      dialogs_->message("Cannot read " + path.toStdString() + ": " +
                        file.errorString().toStdString());
      return;
    }
    parameters_->txtURLList->setPlainText(QString::fromUtf8(file.readAll()));
  });
  connect(results_->lblAbout, &ClickableLabel::clicked, this, [this] { lblAbout_Click(); });
  connect(parameters_->optURL, &QRadioButton::toggled, this, [this](bool on) {
    if (on) parameters_->lblSearch->setText(QStringLiteral("Base URL"));
  });
  connect(parameters_->optKeyword, &QRadioButton::toggled, this, [this](bool on) {
    if (on) parameters_->lblSearch->setText(QStringLiteral("Keyword"));
  });

  chooseSaveFile = [this] {
    // The file type chosen is the format written; the extension follows it (see saveResults).
    static const QStringList kTypes = {QStringLiteral("Text files (*.txt)"),
                                       QStringLiteral("CSV files (*.csv)"),
                                       QStringLiteral("JSON files (*.json)")};
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kTypes);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return SaveChoice{};
    const auto type = static_cast<int>(kTypes.indexOf(dialog.selectedNameFilter()));
    return SaveChoice{dialog.selectedFiles().first(), static_cast<Format>(std::max(type, 0))};
  };
  chooseJournalFile = [this] {
    return QFileDialog::getOpenFileName(this, QStringLiteral("Open a scan's journal"),
                                        qs(journalFolder()),
                                        QStringLiteral("Journals (*.journal)"));
  };
  chooseUrlListFile = [this] {
    return QFileDialog::getOpenFileName(this, QStringLiteral("Load the URLs to scan"), QString(),
                                        QStringLiteral("Text files (*.txt);;All files (*)"));
  };
  nameControlsByTheirLabels();
  auto* progress = new QTimer(this);
  progress->setInterval(kProgressEvery);
  connect(progress, &QTimer::timeout, this, [this] { showProgress(); });
  progress->start();
  delivery_->setInterval(kDeliverEvery);
  connect(delivery_, &QTimer::timeout, this, [this] { deliver(); });

  qApp->installEventFilter(this);
  resize(1024, 700);
  Form_Load();
}

frmKorvex::~frmKorvex() {
  qApp->removeEventFilter(this);
}

void frmKorvex::Form_Load() {
  applyWindowDefaults(*window_);
  SSTab1->setCurrentIndex(0);
  const QString version = QStringLiteral("Version ") + qs(std::string(kVersion));
  results_->lblVersion->setText(version);
  about_->lblAboutVersion->setText(version);
  window_->flush();
}

bool frmKorvex::scanning() const {
  return control_->scanning();
}

void frmKorvex::unlessScanning(const std::function<void()>& action) {
  if (control_->scanning()) return;  // one scan at a time
  action();
  control_->deliver();  // what the journal reported
  window_->flush();
  if (!control_->scanning()) return;
  // Nothing may swap the results under a running scan.
  cmdOpen->setEnabled(false);
  parameters_->cmdLoadURLs->setEnabled(false);
  progressFrom_ = {std::chrono::steady_clock::now(), control_->progress().counters.processed};
  delivery_->start();
}

void frmKorvex::deliver() {
  if (!control_->deliver()) return;
  delivery_->stop();
  cmdOpen->setEnabled(true);
  parameters_->cmdLoadURLs->setEnabled(true);
  showProgress();
  window_->flush();
}

void frmKorvex::leaveWithoutAsking() {
  asking_ = false;
  close();
}

void frmKorvex::showProgress() {
  // The progress of a running scan only: not while Start or the resume offer asks its question.
  if (!control_->scanning() || results_->lblStatus->text() == QLatin1String("Idle")) {
    results_->lblProgress->clear();
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  const ScanSession::Progress progress = control_->progress();
  const long long processed = progress.counters.processed;
  const double seconds = std::chrono::duration<double>(now - progressFrom_.first).count();
  const double rate =
      seconds > 0 ? static_cast<double>(processed - progressFrom_.second) / seconds : 0;
  // Over the last interval, so that the rate follows the crawl rather than its whole history.
  progressFrom_ = {now, processed};
  results_->lblProgress->setText(
      QStringLiteral("Level %1, %2 pages/s").arg(progress.level).arg(rate, 0, 'f', 1));
}

void frmKorvex::nameControlsByTheirLabels() {
  for (QLabel* label : findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (!buddy || !buddy->accessibleName().isEmpty()) continue;
    QString name = label->text().remove(QLatin1Char('&')).trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    buddy->setAccessibleName(name);
  }
}

void frmKorvex::cmdScan_Click() {
  unlessScanning([this] { control_->cmdScan_Click(); });
}

void frmKorvex::offerLastScan() {
  unlessScanning([this] { control_->offerLastScan(); });
}

void frmKorvex::cmdSave_Click() {
  const SaveChoice choice = chooseSaveFile();
  const SaveOutcome saved = [&] {
    const auto lock = control_->results().reading();  // a running scan adds rows meanwhile
    return saveResults(choice.name.toStdString(), control_->results(), choice.format,
                       txtDelimiter->text().toStdString());
  }();
  if (saved.message) dialogs_->message(*saved.message);
}

void frmKorvex::lblAbout_Click() {
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void frmKorvex::closeEvent(QCloseEvent* event) {
  window_->flush();
  bool cancel = false;
  if (asking_)
    control_->Form_Unload(cancel);
  else
    control_->stopForExit();
  if (cancel) {
    event->ignore();
    return;
  }
  about_->hide();
  // The window goes at once; the stopped scan is waited for when the window is destroyed.
  event->accept();
}

std::optional<std::string> frmKorvex::validate(QWidget* field) {
  if (field == txtDelimiter) txtDelimiter->setText(qs(trimmed(txtDelimiter->text().toStdString())));
  for (const SettingRow& row : settingTable())
    if (row.check &&
        field->objectName() ==
            QLatin1String(row.control.data(), static_cast<qsizetype>(row.control.size())))
      return row.check(window_->text(row.field));
  if (field == parameters_->txtBaseURL && parameters_->optURL->isChecked())
    return checkBaseUrl(parameters_->txtBaseURL->text().toStdString());
  if (field == parameters_->txtURLMustKeyword) {
    parameters_->fraURLMust->setEnabled(
        !trimSpaces(parameters_->txtURLMustKeyword->toPlainText().toStdString()).empty());
  } else if (field == parameters_->txtPagesMustKeyword) {
    parameters_->fraPageMust->setEnabled(
        !trimSpaces(parameters_->txtPagesMustKeyword->toPlainText().toStdString()).empty());
  }
  return std::nullopt;
}

void frmKorvex::fieldLeft(QWidget* field) {
  // Run once the focus has settled on the next control: a refused value then takes the focus
  // back before its message, and the message box hands the focus back to the field.
  QTimer::singleShot(0, this, [this, field = QPointer<QWidget>(field)] {
    if (!field || validating_) return;
    validating_ = true;
    if (const auto message = validate(field)) {
      field->setFocus(Qt::OtherFocusReason);
      dialogs_->message(*message);
      if (field) {
        activateWindow();
        field->setFocus(Qt::OtherFocusReason);
      }
    }
    validating_ = false;
  });
}

void frmKorvex::showHelp(QWidget* field, bool focused) {
  const std::optional<QString> help =
      fieldHelp(field->objectName(), parameters_->optURL->isChecked());
  if (!help) return;
  lblToolTip->setText(focused ? *help : QString());
}

bool frmKorvex::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !isAncestorOf(widget)) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The control still gets its Enter (a multi-line box its line break); then a Tab
        // moves the focus on.
        QMetaObject::invokeMethod(
            this,
            [this] {
              if (QWidget* f = QApplication::focusWidget(); f && isAncestorOf(f)) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QApplication::sendEvent(f, &tab);
              }
            },
            Qt::QueuedConnection);
      }
      break;
    }
    case QEvent::FocusIn:
      showHelp(widget, true);
      break;
    case QEvent::FocusOut: {
      showHelp(widget, false);
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Focus that leaves the window (a message box, another window) is not a change of field.
      if (!validating_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        fieldLeft(widget);
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace korvex::ui
