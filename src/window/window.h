// The engine's view of the main window: the fields it reads and writes, by their names.
// The Qt window implements it on its widgets; the tests have one in memory.
// Only the window's thread touches it.
#pragma once

#include <string>
#include <string_view>

#include "crawl/scan_results.h"
#include "settings/window_fields.h"

namespace korvex {

class Window {
 public:
  virtual ~Window() = default;

  virtual std::string text(Field field) const = 0;
  virtual void setText(Field field, std::string text) = 0;
  virtual void appendText(Field field, std::string_view text) = 0;
  // Combo boxes: whether an entry of the list is selected.
  virtual bool hasSelection(Field combo) const = 0;
  virtual void focus(Field field) = 0;

  virtual bool option(Option option) const = 0;
  virtual void setOption(Option option, bool selected) = 0;

  virtual bool enabled(Button button) const = 0;
  virtual void setEnabled(Button button, bool enabled) = 0;
  virtual std::string caption(Button button) const = 0;
  virtual void setCaption(Button button, std::string caption) = 0;

  // The result grid flxDetails: its heading, from a format of "|"-separated cells.
  virtual std::string gridFormat() const = 0;
  virtual void setGridFormat(std::string format) = 0;
  // The lists of scanned URLs and addresses, the grid and the Domains tab show these results,
  // held by the window's controller, from now on; the answers in DNS start again.
  virtual void showResults(const ScanResults& results) = 0;
  // URLs or addresses were added to the results shown; the views show them at their next
  // repaint.
  virtual void resultsAdded() = 0;
  // A domain's answer in DNS, shown beside its addresses in the grid and on the Domains tab.
  virtual void setDomainAnswer(const std::string& domain, const std::string& answer) = 0;
};

// The number in a field's text.
double fieldNumber(const Window& window, Field field);

}  // namespace korvex
