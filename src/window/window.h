// The engine's view of the main window: the fields it reads and writes, by their names.
// The Qt window implements it on its widgets; the tests have one in memory.
// Only the window's thread touches it.
#pragma once

#include <string>
#include <string_view>

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

  // The result grid flxDetails: row 0 is the heading, columns 0 to 2.
  virtual std::string gridFormat() const = 0;
  // Writes the heading cells anew from a format of "|"-separated cells.
  virtual void setGridFormat(std::string format) = 0;
  virtual int gridRows() const = 0;
  virtual void setGridRows(int rows) = 0;
  virtual std::string gridCell(int row, int column) const = 0;
  virtual void setGridCell(int row, int column, std::string text) = 0;
  virtual void addGridRow() = 0;
  virtual void clearGrid() = 0;  // empties every cell (and the answers), the heading included
  // A domain's answer in DNS, shown beside its addresses in the grid and on the Domains tab.
  virtual void setDomainAnswer(const std::string& domain, const std::string& answer) = 0;
};

// The number in a field's text.
double fieldNumber(const Window& window, Field field);

}  // namespace korvex
