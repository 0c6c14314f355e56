// The main window driven as a user drives it: controls found by name, message boxes answered.
#include "ui/frm_korvex.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "journal/journal.h"
#include "message_boxes.h"
#include "support/run_command.h"
#include "support/site.h"
#include "ui/exit_signals.h"
#include "ui/widget_window.h"
#include "window/scan_control.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Choice = ui::frmKorvex::SaveChoice;

struct Form {
  Form() {
    form.show();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  template <typename W = QWidget>
  W* get(const char* name) {
    auto* w = form.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString text(const char* name) {
    QWidget* w = get(name);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* b = qobject_cast<QPlainTextEdit*>(w)) return b->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* p = qobject_cast<QPushButton*>(w)) return p->text();
    if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
      QString lines;
      for (int r = 0; r < v->model()->rowCount(); ++r)
        lines += v->model()->index(r, 0).data().toString() + '\n';
      return lines;
    }
    return {};
  }
  void showTab(int index) { get<QTabWidget>("SSTab1")->setCurrentIndex(index); }
  void type(const char* name, const QString& text) {
    QWidget* w = get(name);
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    if (auto* b = qobject_cast<QPlainTextEdit*>(w)) b->setPlainText(text);
  }
  void click(const char* name) { QTest::mouseClick(get(name), Qt::LeftButton); }
  void scan(const std::string& url, int depth, int threads) {
    showTab(1);
    type("txtBaseURL", QString::fromStdString(url));
    get<QComboBox>("cboDepth")->setCurrentText(QString::number(depth));
    get<QComboBox>("cboThreads")->setCurrentText(QString::number(threads));
    showTab(0);
    click("cmdScan");
    waitForTheEnd();
  }
  // As a user waits: the window's own timers bring the results.
  void waitForTheEnd() {
    for (int i = 0; i < 6000 && form.scanning(); ++i) QTest::qWait(10);
    EXPECT_FALSE(form.scanning()) << "the scan ended";
  }
  // A box's lines; a list's rows, every one, blank or not.
  std::vector<std::string> lines(const char* name) {
    std::vector<std::string> out;
    const QString whole = text(name);
    for (const QString& l : whole.left(whole.size() - 1).split('\n'))
      out.push_back(l.toStdString());
    return out;
  }

  ui::frmKorvex form{[] { return true; }};
  test::MessageBoxes boxes;
};

// The Search Parameters tab as a user fills it: the help line follows the focus, and a field's
// check (the settings table's own) keeps it with its message.
TEST(Window, SearchParametersAsTheUserFillsThem) {
  Form f;
  f.showTab(1);
  f.get("cboThreads")->setFocus();
  f.get("txtBaseURL")->setFocus();
  EXPECT_EQ(f.text("lblToolTip"), "Enter the base URL from which search should begin");
  // The field, what is typed, the message ("" when accepted) and what the field then shows.
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"txtDelimiter", "   ", "Delimiter cannot be blank.", ""},
      {"txtDelimiter", " , ", "", ","},
      {"txtNoOfPages", "abc", "Please enter the number", "abc"}};
  for (const auto& [field, typed, message, shown] : rows) {
    SCOPED_TRACE(std::string(field) + " '" + typed + "'");
    f.boxes.seen.clear();
    f.type(field, typed);
    QTest::keyClick(f.get(field), Qt::Key_Tab);
    QTest::qWait(50);
    const bool refused = *message != '\0';
    ASSERT_EQ(f.boxes.seen.size(), refused ? 1u : 0u);
    if (refused) {
      EXPECT_EQ(f.boxes.seen[0].text, message);
      EXPECT_EQ(f.boxes.seen[0].caption, "Korvex");
      EXPECT_EQ(f.boxes.seen[0].icon, QMessageBox::Information);
    }
    EXPECT_EQ(QApplication::focusWidget() == f.get(field), refused);
    EXPECT_EQ(f.text(field), shown);
    f.get<QLineEdit>(field)->setText(std::string(field) == "txtDelimiter" ? ";" : "10");
  }
}

// One worker, so that the order of the addresses is the command line's too: the window shows
// what korvex-cli prints, and saves its bytes.
TEST(Window, ScanGivesWhatTheCommandLineGives) {
  test::TestServer server;
  test::TreeSite site(server, 3, 3);
  server.serve("/robots.txt", test::Reply::page("User-agent: *\nDisallow: /n-2.html\n"));
  auto cli = [&](const char* format) {
    return test::runCommand(std::string(KORVEX_CLI) + " scan --quiet --threads 1 --depth 2 " +
                            "--url " + site.rootUrl() + " --format " + format);
  };
  const auto json = cli("json");
  ASSERT_EQ(json.status, 0) << json.err;
  const auto expected = nlohmann::json::parse(json.out);
  Form f;
  QString progressWhileAsked = "not asked";
  f.boxes.beforeAnswer = [&] {
    QTest::qWait(1100);  // the progress line's second
    progressWhileAsked = f.text("lblProgress");
    f.boxes.beforeAnswer = nullptr;
  };
  f.scan(site.rootUrl(), 2, 1);
  EXPECT_EQ(progressWhileAsked, "") << "no progress beside Idle while Start asks";
  ASSERT_EQ(f.boxes.texts(),
            std::vector<QString>{"Have you entered all the Search Parameters you need for this "
                                 "session?"});
  EXPECT_TRUE(f.boxes.seen[0].noIsDefault);
  std::vector<std::string> emails, scanned;
  for (const auto& e : expected["emails"]) emails.push_back(e["email"].get<std::string>());
  for (const auto& u : expected["scanned"]) scanned.push_back(u.get<std::string>());
  EXPECT_EQ(f.lines("txtEmail"), emails);
  EXPECT_EQ(f.lines("txtURLs"), scanned);
  EXPECT_EQ(f.lines("txtRefusedURLs"),
            std::vector<std::string>{server.url("/n-2.html") + "  (disallowed by robots.txt)"});
  for (const auto& [field, key] : {std::pair{"txtNoOfExtUrl", "extracted"},
                                   {"txtNoOfValidUrls", "valid"},
                                   {"txtNoOfURLs", "processed"},
                                   {"txtNoOfEmails", "emails"},
                                   {"txtNoOfRefused", "refused"}})
    EXPECT_EQ(f.text(field).toLongLong(), expected["counters"][key].get<long long>()) << field;
  auto* grid = f.get<QTableView>("flxDetails")->model();
  ASSERT_EQ(grid->rowCount(), static_cast<int>(emails.size()));
  for (int r = 0; r < grid->rowCount(); ++r) {
    const auto& e = expected["emails"][r];
    EXPECT_EQ(grid->index(r, 0).data().toInt(), e["n"].get<int>());
    EXPECT_EQ(grid->index(r, 1).data().toString().toStdString(), e["email"]);
    EXPECT_EQ(grid->index(r, 2).data().toString().toStdString(), e["url"]);
  }
  EXPECT_EQ(f.text("lblStatus"), "Idle");
  EXPECT_TRUE(f.get("cmdScan")->isEnabled());
  EXPECT_FALSE(f.get("cmdStop")->isEnabled());
  const fs::path dir = fs::temp_directory_path() / "korvex-save-formats";
  fs::create_directories(dir);
  for (const auto& [format, flag] : {std::pair{Format::Csv, "csv"}, {Format::Json, "json"}}) {
    f.form.chooseSaveFile = [&, format = format] {
      return Choice{QString::fromStdString((dir / "found").string()), format};
    };
    f.click("cmdSave");
    EXPECT_EQ(test::readFile(dir / ("found." + std::string(flag))), cli(flag).out) << flag;
  }
  fs::remove_all(dir);
}

// A scan cut short on the command line and resumed in the window: its lists hold every URL and
// address once, in the journal's order, with no blank line where the resume began.
TEST(Window, AResumedScanListsWhatItsJournalHolds) {
  test::TestServer server;
  test::TreeSite site(server, 3, 3, 50ms);
  const std::string journal = (fs::temp_directory_path() / "korvex-window-resumed.journal");
  fs::remove(journal);
  test::runCommand("bash -c '" KORVEX_CLI " scan --quiet --threads 1 --depth 3 --journal " +
                   journal + " --url " + site.rootUrl() + " & sleep 0.6; kill -TERM $!; wait'");
  Form f;
  f.form.chooseJournalFile = [&] { return QString::fromStdString(journal); };
  f.click("cmdOpen");  // and Yes to resuming it
  f.waitForTheEnd();
  EXPECT_EQ(f.boxes.texts(), std::vector<QString>{"This scan did not finish. Resume it?"});
  const auto whole = nlohmann::json::parse(test::cli("export --format json " + journal).out);
  fs::remove(journal);
  std::vector<std::string> emails, scanned;
  for (const auto& e : whole["emails"]) emails.push_back(e["email"].get<std::string>());
  for (const auto& u : whole["scanned"]) scanned.push_back(u.get<std::string>());
  EXPECT_EQ(scanned.size(), site.pagesWithin(3)) << "the whole scan, each URL once";
  EXPECT_EQ(f.lines("txtURLs"), scanned);
  EXPECT_EQ(f.lines("txtEmail"), emails);
}

// What ends a running scan from the window: Stop (after Pause and Resume), Exit, and a signal
// of the session's end (a logout, a shutdown). What Pause and Stop do to a crawl is the crawl
// tests' (with the same scan control).
TEST(Window, ARunningScanStopsPausesAndLeaves) {
  test::TestServer server;
  test::TreeSite site(server, 4, 4, 40ms);
  for (const std::string how : {"stop", "exit", "signal"}) {
    SCOPED_TRACE(how);
    Form f;
    QString paused, resumed;
    int journalsChosen = 0;
    bool leftDuringTheScan = false;
    f.form.chooseJournalFile = [&] { return ++journalsChosen, QString(); };
    ui::ExitSignals exitSignals([&] { f.form.leaveWithoutAsking(); });
    QTimer::singleShot(300, [&] {
      if (how == "exit") {
        f.click("cmdExit");
        leftDuringTheScan = !f.form.isVisible() && f.form.scanning();
        return;
      }
      if (how == "signal") return static_cast<void>(::raise(SIGTERM));
      // Nothing can swap the results under the scan, nor start a second one.
      EXPECT_FALSE(f.get("cmdOpen")->isEnabled() || f.get("cmdLoadURLs")->isEnabled());
      f.get<QPushButton>("cmdOpen")->click();
      f.get<QPushButton>("cmdScan")->click();
      f.click("cmdPause");
      paused = f.text("lblStatus") + " " + f.text("cmdPause");
      QTimer::singleShot(300, [&] {
        f.click("cmdPause");
        resumed = f.text("lblStatus") + " " + f.text("cmdPause");
        QTimer::singleShot(300, [&] { f.click("cmdStop"); });
      });
    });
    const auto start = std::chrono::steady_clock::now();
    f.scan(site.rootUrl(), 4, 2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "the released scan winds down";
    EXPECT_LT(f.text("txtNoOfURLs").toULongLong(), site.pagesWithin(4));
    const QString asked = f.boxes.texts().back();
    if (how == "exit") {
      EXPECT_TRUE(leftDuringTheScan) << "the window goes at once, the scan winds down after";
      EXPECT_EQ(asked,
                "Please make sure that you have saved the results. Do you really want to exit?");
    } else if (how == "signal") {
      EXPECT_FALSE(f.form.isVisible());
      EXPECT_EQ(f.boxes.texts().size(), 1u) << "only Start's question";
    } else {
      EXPECT_EQ(paused, "Paused Resume");
      EXPECT_EQ(resumed, "In Progress Pause");
      EXPECT_EQ(asked, "Do you really want to stop the process?");
      EXPECT_EQ(f.text("lblStatus"), "Idle");
      EXPECT_TRUE(f.get("cmdScan")->isEnabled() && f.get("cmdOpen")->isEnabled());
      EXPECT_EQ(journalsChosen, 0);
      EXPECT_EQ(f.boxes.texts().size(), 2u) << "Start's question and Stop's, no other";
    }
    EXPECT_EQ(journalStatus(journalsNewestFirst().front()), JournalStatus::Stopped) << "resumable";
  }
}

TEST(Window, SaveWritesTheListAndNeverDestroysThePreviousFile) {
  Form f;
  ScanProgress kept;
  kept.addresses = {{1, "a@x.com", "http://x/"}, {2, "b@x.com", "http://x/b"}};
  f.form.control().showResults(kept);
  const fs::path dir = fs::temp_directory_path() / "korvex-save-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "v1.2");
  auto save = [&](const fs::path& chosen, const char* delimiter) {
    f.form.chooseSaveFile = [=] { return Choice{QString::fromStdString(chosen.string())}; };
    f.get<QLineEdit>("txtDelimiter")->setText(delimiter);
    f.click("cmdSave");
  };
  // The name chosen, the delimiter, the file written and its bytes: an extension only for a new
  // name whose last part has no dot. A new file gets what the umask gives, a replaced one keeps
  // its mode but not its set-user-ID bit.
  std::ofstream(dir / "noext") << "old";
  fs::permissions(dir / "noext", fs::perms(04640));
  const std::tuple<fs::path, const char*, fs::path, const char*> rows[] = {
      {dir / "found", " | ", dir / "found.txt", "a@x.com|b@x.com|"},
      {dir / "v1.2/list", ",", dir / "v1.2/list.txt", "a@x.com,b@x.com,"},
      {dir / "noext", ",", dir / "noext", "a@x.com,b@x.com,"}};
  const mode_t umask = ::umask(027);
  for (const auto& [chosen, delimiter, written, content] : rows) {
    save(chosen, delimiter);
    EXPECT_TRUE(f.boxes.seen.empty());
    EXPECT_EQ(test::readFile(written), content);
    EXPECT_EQ(fs::status(written).permissions(), fs::perms(0640));
  }
  save("/dev/null", ",");
  EXPECT_TRUE(f.boxes.seen.empty());
  EXPECT_FALSE(fs::exists("/dev/null.txt")) << "a device is written as named";
  fs::permissions(dir / "found.txt", fs::perms(0600));
  save(dir / "found", "|");
  EXPECT_EQ(fs::status(dir / "found.txt").permissions(), fs::perms(0600)) << "stays private";
  ::umask(umask);
  save("", "|");
  EXPECT_EQ(f.boxes.texts(), std::vector<QString>{"Target File name cannot be blank."});
  // A write that fails (here: past a file-size limit) leaves the previous file as it was.
  f.boxes.seen.clear();
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tiny = saved;
  tiny.rlim_cur = 4;
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &tiny);
  save(dir / "found.txt", "|");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  ASSERT_EQ(f.boxes.seen.size(), 1u);
  EXPECT_TRUE(f.boxes.seen[0].text.contains(QString::fromStdString((dir / "found.txt").string())));
  EXPECT_TRUE(f.boxes.seen[0].text.contains("too large")) << f.boxes.seen[0].text.toStdString();
  EXPECT_EQ(test::readFile(dir / "found.txt"), "a@x.com|b@x.com|");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3)
      << "no temporary file left behind";
  fs::remove_all(dir);
}

TEST(Window, EveryControlIsNamedAndTabFollowsTheReadingOrder) {
  Form f;
  for (int tab = 0; tab < f.get<QTabWidget>("SSTab1")->count(); ++tab) {
    f.showTab(tab);
    for (QWidget* w : f.form.findChildren<QWidget*>()) {
      if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || qobject_cast<QTabWidget*>(w) ||
          qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
        continue;
      const bool named = !w->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(w) ||
                         qobject_cast<QTabBar*>(w);
      EXPECT_TRUE(named) << w->objectName().toStdString() << " on tab " << tab;
    }
  }
  // The Search Parameters tab, field by field as a reader meets them (the "Must Condition"
  // options are off while their keyword box is empty), then the bottom row.
  f.showTab(1);
  const QString reading =
      "optURL txtBaseURL cboDepth txtNoOfPages txtMaxTime cboThreads chkObeyRobots "
      "txtDelayPerHost txtUserAgent cboScope chkSitemaps chkDocuments chkCheckDomains "
      "txtURLMustKeyword txtURLMustNotKeyword txtPagesMustKeyword txtPagesMustNotKeyword "
      "txtDelimiter";
  f.get("optURL")->setFocus();
  QStringList met;
  for (qsizetype i = 0; i < reading.count(' ') + 1; ++i) {
    met << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(met.join(' ').toStdString(), reading.toStdString());
}

}  // namespace
}  // namespace korvex
