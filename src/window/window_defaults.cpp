#include "window/window_defaults.h"

#include <string>

#include "settings/scan_settings.h"
#include "window/window_settings.h"

namespace korvex {

std::string gridHeadingFormat() {
  auto padded = [](std::string cell, size_t width) {
    cell.resize(std::max(cell.size(), width), ' ');
    return cell;
  };
  return "Sl.No  |" + padded(" Email", 74) + "|" + padded(" URL", 171);
}

void applyWindowDefaults(Window& window) {
  showSettings(SettingValues{}, window);
  window.setText(Field::lblStatus, "Idle");
  window.setText(Field::lblDetails,
                 "Please set the Search Parameters before starting the process.");
  window.setOption(Option::optURL, true);
  window.setOption(Option::OptURLAny, true);
  window.setOption(Option::OptPagesAny, true);
  window.setCaption(Button::cmdScan, "Start");
  window.setCaption(Button::cmdPause, "Pause");
  window.setCaption(Button::cmdStop, "Stop");
  window.setEnabled(Button::cmdScan, true);
  window.setEnabled(Button::cmdPause, false);
  window.setEnabled(Button::cmdStop, false);
  window.setGridFormat(gridHeadingFormat());
}

}  // namespace korvex
