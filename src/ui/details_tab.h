// The "Details" tab: the result grid flxDetails, each address with its number and its page.
#pragma once

#include <QWidget>

class QTableView;

namespace korvex::ui {

class ResultsModel;

class DetailsTab final : public QWidget {
 public:
  DetailsTab(ResultsModel* model, QWidget* parent = nullptr);
  QTableView* flxDetails;
};

}  // namespace korvex::ui
