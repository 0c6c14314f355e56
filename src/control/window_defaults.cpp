#include "control/window_defaults.h"

#include <string>

namespace korvex {

std::string gridHeadingFormat() {
  auto padded = [](std::string cell, size_t width) {
    cell.resize(std::max(cell.size(), width), ' ');
    return cell;
  };
  return "Sl.No  |" + padded(" Email", 74) + "|" + padded(" URL", 171);
}

void applyWindowDefaults(Window& window) {
  window.setText(Field::cboDepth, std::to_string(kDefaultDepth));
  window.setText(Field::txtNoOfPages, std::string(kDefaultMaxPages));
  window.setText(Field::txtMaxTime, std::string(kDefaultMaxTime));
  window.setText(Field::cboThreads, std::to_string(kDefaultThreads));
  window.setText(Field::txtDelimiter, std::string(kDefaultDelimiter));
  window.setText(Field::txtDelayPerHost, std::string(kDefaultDelayPerHost));
  window.setText(Field::txtUserAgent, std::string(kAgent));
  window.setOption(Option::chkObeyRobots, true);
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
