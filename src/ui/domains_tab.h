// The "Domains" tab: each domain of the addresses found, with its count, its answer in DNS when
// the domains are checked, and a bar in proportion, largest first. It follows the Details grid
// as its rows reach the views (the window's bounded rate), counting each address once, and can
// hide the domains that take no mail.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QTableView;

namespace korvex::ui {

class ResultsModel;

class DomainsModel final : public QAbstractTableModel {
 public:
  DomainsModel(ResultsModel* grid, QObject* parent = nullptr);
  const std::string& domain(int row) const { return rows_[row].first; }
  int count(int row) const { return rows_[row].second; }
  void setHidingNoMail(bool hiding);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void countNewRows();
  void showRows();

  ResultsModel* grid_;
  bool hidingNoMail_ = false;
  int answersShown_ = -1;  // the grid's answersSeen() when the rows were made
  int counted_ = 0;        // grid rows already counted
  std::unordered_map<std::string, int> counts_;
  std::vector<std::pair<std::string, int>> rows_;  // largest first
};

class DomainsTab final : public QWidget {
 public:
  DomainsTab(ResultsModel* grid, QWidget* parent = nullptr);
  QTableView* lstDomains;
  QCheckBox* chkHideNoMail;
  DomainsModel* domains;
  // Told the domain of a row clicked.
  std::function<void(const std::string& domain)> chosen;
};

}  // namespace korvex::ui
