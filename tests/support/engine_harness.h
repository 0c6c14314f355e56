// A page engine wired to an in-memory window, as the main window's own engine is.
#pragma once

#include <string>
#include <vector>

#include "base/scan_state.h"
#include "control/loop_host.h"
#include "control/memory_window.h"
#include "control/window_defaults.h"
#include "page/cnetget.h"

namespace korvex::test {

// The grid's rows below its heading, three cells each.
inline std::vector<std::vector<std::string>> gridRows(const Window& window) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 1; r < window.gridRows(); ++r)
    rows.push_back({window.gridCell(r, 0), window.gridCell(r, 1), window.gridCell(r, 2)});
  return rows;
}

struct EngineHarness {
  explicit EngineHarness(const Clock& clock = systemClock()) : net(state, window, host, clock) {
    applyWindowDefaults(window);
    state.iDepth = 1;
    state.iMaxDepth = 6;
  }
  std::vector<std::string> emails() const { return state.sEmailList.entries(); }
  std::vector<std::vector<std::string>> gridRows() const { return test::gridRows(window); }

  ScanState state;
  MemoryWindow window;
  LoopHost host;
  CNetGet net;
};

}  // namespace korvex::test
