// The Details grid and the Domains tab on a grid filled as a scan fills it.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ui/details_tab.h"
#include "ui/domains_tab.h"
#include "ui/results_model.h"

namespace korvex::ui {
namespace {

using Strings = std::vector<std::string>;

struct Views {
  explicit Views(const std::vector<std::pair<std::string, std::string>>& found) {
    grid.show(results);
    add(found);
  }
  // Addresses as a scan finds them, shown at the window's next repaint.
  void add(const std::vector<std::pair<std::string, std::string>>& found) {
    for (const auto& [address, page] : found) {
      EmailList one;
      one.add(address);
      results.addressesFound(one, page);
    }
    grid.publish();
  }
  Strings shown(int column) const {
    Strings cells;
    const QAbstractItemModel* m = details.flxDetails->model();
    for (int r = 0; r < m->rowCount(); ++r)
      cells.push_back(m->index(r, column).data().toString().toStdString());
    return cells;
  }
  Strings domainRows() const {
    Strings rows;
    for (int r = 0; r < domains.domains->rowCount(); ++r)
      rows.push_back(domains.domains->domain(r) + " " + std::to_string(domains.domains->count(r)));
    return rows;
  }

  ScanResults results;
  ResultsModel grid;
  DetailsTab details{&grid};
  DomainsTab domains{&grid};
  // Every change of either model is checked against what views expect of a model.
  QAbstractItemModelTester gridTester{&grid, QAbstractItemModelTester::FailureReportingMode::Fatal};
  QAbstractItemModelTester domainsTester{domains.domains,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// clang-format off
const std::vector<std::pair<std::string, std::string>> kFound = {
    {"ann@Example.com", "http://example.com/team"}, {"bob@other.org", "http://other.org/"},
    {"cy@example.com", "http://example.com/contact"}, {"dee@mail.example.com", "http://EXAMPLE.com/x"},
    {"eve@other.org", "http://other.org/about"}, {"fay@solo.net", "http://solo.net/"},
    {"gus@example.com", "http://example.com/"}, {"hal@other.org", "http://other.org/team"},
    {"ida@b.net", "http://b.net/"}, {"joe@a.net", "http://a.net/"}};
// clang-format on

TEST(DetailsGrid, FiltersAndSortsAsRowsCome) {
  Views v(kFound);
  const std::pair<const char*, Strings> cases[] = {
      {"", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      {"TEAM", {"1", "8"}},
      {"@example.com", {"1", "3", "7"}},
      {"example.com", {"1", "3", "4", "7"}},
      {"nowhere", {}}};
  for (const auto& [text, rows] : cases) {
    SCOPED_TRACE(text);
    v.details.txtFilter->setText(QString::fromLatin1(text));
    EXPECT_EQ(v.shown(0), rows);
    EXPECT_EQ(v.details.lblShown->text().toStdString(),
              std::to_string(rows.size()) + " of 10 shown");
  }
  v.details.txtFilter->setText(QStringLiteral("/new"));
  v.add({{"kim@example.com", "http://example.com/new"}});
  EXPECT_EQ(v.shown(0), (Strings{"11"})) << "rows that come during a scan are filtered too";
  v.details.txtFilter->clear();
  v.details.flxDetails->sortByColumn(0, Qt::DescendingOrder);
  EXPECT_EQ(v.shown(0), (Strings{"11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
  v.details.flxDetails->sortByColumn(2, Qt::AscendingOrder);
  EXPECT_EQ(v.shown(0), (Strings{"10", "9", "7", "3", "11", "1", "4", "2", "5", "8", "6"}));
  v.details.flxDetails->sortByColumn(1, Qt::AscendingOrder);
  v.add({{"aaron@z.com", "http://z.com/"}});
  EXPECT_EQ(v.shown(1).front(), "aaron@z.com") << "a new row takes its place in the order";
}

// Ctrl+C, a double-click and the context menu.
TEST(DetailsGrid, CopiesTheSelectedRowsAndOpensAPage) {
  Views v(kFound);
  v.details.resize(800, 500);
  v.details.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.details));
  v.details.txtFilter->setText(QStringLiteral("other.org"));
  v.details.flxDetails->selectRow(0);
  v.details.flxDetails->selectionModel()->select(
      v.details.flxDetails->model()->index(2, 0),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  v.details.flxDetails->setFocus();
  QTest::keyClick(v.details.flxDetails, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "2\tbob@other.org\thttp://other.org/\n8\thal@other.org\thttp://other.org/team\n");
  QString opened;
  v.details.openPage = [&](const QString& url) { opened = url; };
  const QRect cell = v.details.flxDetails->visualRect(v.details.flxDetails->model()->index(1, 2));
  QTest::mouseClick(v.details.flxDetails->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(v.details.flxDetails->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(opened, "http://other.org/about");
  v.details.txtFilter->clear();
  const QPoint row =
      v.details.flxDetails->visualRect(v.details.flxDetails->model()->index(3, 1)).center();
  for (const auto& [action, copied] : {std::pair{"Copy address", "dee@mail.example.com"},
                                       std::pair{"Copy page URL", "http://EXAMPLE.com/x"}}) {
    SCOPED_TRACE(action);
    // The menu runs its own loop: it is answered from inside it.
    QTimer::singleShot(0, [action = QString::fromLatin1(action)] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* a : menu->actions())
        if (a->text() == action) a->trigger();
      menu->close();
    });
    emit v.details.flxDetails->customContextMenuRequested(row);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), copied);
  }
}

TEST(DomainsTab, CountsEachDomainLargestFirst) {
  Views v(kFound);
  EXPECT_EQ(v.domainRows(), (Strings{"example.com 3", "other.org 3", "a.net 1", "b.net 1",
                                     "mail.example.com 1", "solo.net 1"}));
  v.add({{"lea@OTHER.org", "http://other.org/x"}});
  EXPECT_EQ(v.domainRows().front(), "other.org 4") << "a domain ignores case";
  // Answers in DNS: a column of the grid, found by the filter; domains without mail hidden.
  v.grid.setDomainAnswer("other.org", "no mail");
  v.grid.setDomainAnswer("example.com", "mail");
  v.grid.publish();
  v.details.txtFilter->setText(QStringLiteral("no mail"));
  EXPECT_EQ(v.shown(3), (Strings(4, "no mail")));
  v.details.txtFilter->clear();
  v.domains.chkHideNoMail->setChecked(true);
  EXPECT_EQ(v.domainRows().front(), "example.com 3");
  EXPECT_EQ(v.domainRows().size(), 5u);
  v.domains.chkHideNoMail->setChecked(false);
  v.results.reset({});
  v.grid.show(v.results);
  EXPECT_TRUE(v.domainRows().empty()) << "a new scan starts a new count";
  std::string chosen;
  v.add(kFound);
  v.domains.chosen = [&](const std::string& domain) { chosen = domain; };
  v.domains.show();
  const QRect row = v.domains.lstDomains->visualRect(v.domains.domains->index(1, 0));
  QTest::mouseClick(v.domains.lstDomains->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(chosen, "other.org");
}

}  // namespace
}  // namespace korvex::ui
