// The "Details" tab: the result grid flxDetails, each address with its number and its page, and
// under it the URLs robots.txt refused, each with its reason. Above the grid a filter box keeps
// the rows whose address or page contains its text; the grid sorts by the column clicked, copies
// the rows selected (Ctrl+C, tab-separated) and opens a row's page in the desktop's browser.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace korvex::ui {

class ResultsFilter;
class ResultsModel;

class DetailsTab final : public QWidget {
 public:
  DetailsTab(ResultsModel* model, QWidget* parent = nullptr);
  // The selected rows as text, a line each: "number<TAB>address<TAB>page".
  QString selectedRows() const;

  QLineEdit* txtFilter;
  QLabel* lblShown;
  QTableView* flxDetails;
  QPlainTextEdit* txtRefusedURLs;
  ResultsFilter* shown;
  // Opens a page in the desktop's browser; tests replace it.
  std::function<void(const QString& url)> openPage;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showCount();
  void contextMenu(const QPoint& at);
  QString cellOf(int shownRow, int column) const;

  ResultsModel* model_;
};

}  // namespace korvex::ui
