// The engine's window interface on the window's widgets. The fields the crawl writes many times
// a second (the result boxes, the refused URLs and the counters) are kept as text here and reach
// their widgets at most every kRepaintEvery; every other field is read from and written to its
// widget at once.
#pragma once

#include <QObject>
#include <array>
#include <string>

#include "window/window.h"

class QTimer;
class QWidget;

namespace korvex::ui {

class DetailsTab;
class ResultsModel;
class SearchParametersTab;
class SearchResultsTab;

class WidgetWindow final : public QObject, public Window {
 public:
  WidgetWindow(SearchResultsTab& results, SearchParametersTab& parameters, DetailsTab& details,
               QWidget& delimiter, ResultsModel& grid, QObject* parent = nullptr);

  std::string text(Field field) const override;
  void setText(Field field, std::string text) override;
  void appendText(Field field, std::string_view text) override;
  bool hasSelection(Field combo) const override;
  void focus(Field field) override;

  bool option(Option option) const override;
  void setOption(Option option, bool selected) override;

  bool enabled(Button button) const override;
  void setEnabled(Button button, bool enabled) override;
  std::string caption(Button button) const override;
  void setCaption(Button button, std::string caption) override;

  std::string gridFormat() const override;
  void setGridFormat(std::string format) override;
  int gridRows() const override;
  void setGridRows(int rows) override;
  std::string gridCell(int row, int column) const override;
  void setGridCell(int row, int column, std::string text) override;
  void addGridRow() override;
  void clearGrid() override;
  void setDomainAnswer(const std::string& domain, const std::string& answer) override;

  // Brings the widgets of the kept fields up to date now.
  void flush();

 private:
  struct Kept {
    std::string text;
    size_t shown = 0;    // bytes of text the widget shows
    bool reset = false;  // the widget must be rewritten, not appended to
  };
  static int keptIndex(Field field);
  QWidget* widget(Field field) const;
  void scheduleFlush();

  SearchResultsTab& results_;
  SearchParametersTab& parameters_;
  DetailsTab& details_;
  QWidget& delimiter_;
  ResultsModel& grid_;
  std::array<Kept, 9> kept_{};
  QTimer* flushTimer_;
};

}  // namespace korvex::ui
