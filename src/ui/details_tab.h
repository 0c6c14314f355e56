// The "Details" tab: the result grid flxDetails, each address with its number and its page, and
// under it the URLs robots.txt refused, each with its reason.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QTableView;

namespace korvex::ui {

class ResultsModel;

class DetailsTab final : public QWidget {
 public:
  DetailsTab(ResultsModel* model, QWidget* parent = nullptr);
  QTableView* flxDetails;
  QPlainTextEdit* txtRefusedURLs;
};

}  // namespace korvex::ui
