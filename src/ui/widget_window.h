// The engine's window interface on the window's widgets. What the crawl changes many times a
// second (the result views, the refused URLs and the counters) reaches the widgets at most every
// kRepaintEvery: the views then read the rows added to the results, and the refused URLs' lines
// wait here until they are appended to their box. Every other field is read from and written to
// its widget at once.
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
  void showResults(const ScanResults& results) override;
  void resultsAdded() override;
  void setDomainAnswer(const std::string& domain, const std::string& answer) override;

  // Brings the widgets of the kept fields up to date now.
  void flush();

 private:
  // A counter's whole text; a box's text not yet appended to its widget.
  struct Kept {
    std::string text;
    bool reset = false;  // the widget must be rewritten, not appended to
    bool changed = false;
  };
  static int keptIndex(Field field);
  QWidget* widget(Field field) const;
  void scheduleFlush();

  SearchResultsTab& results_;
  SearchParametersTab& parameters_;
  DetailsTab& details_;
  QWidget& delimiter_;
  ResultsModel& grid_;
  std::array<Kept, 7> kept_{};
  QTimer* flushTimer_;
};

}  // namespace korvex::ui
