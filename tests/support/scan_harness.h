// A scan control on an in-memory window, with recorded dialogs.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "control/loop_host.h"
#include "control/scan_control.h"
#include "control/window_defaults.h"
#include "crawl/cls_email.h"
#include "support/memory_window.h"

namespace korvex::test {

// The grid's rows below its heading, three cells each.
inline std::vector<std::vector<std::string>> gridRows(const Window& window) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 1; r < window.gridRows(); ++r)
    rows.push_back({window.gridCell(r, 0), window.gridCell(r, 1), window.gridCell(r, 2)});
  return rows;
}

struct RecordingDialogs final : Dialogs {
  void message(std::string_view text) override { messages.emplace_back(text); }
  bool ask(std::string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answer = true;
};

struct ScanHarness {
  explicit ScanHarness(WorkerFactory factory = clsEmail::factory(), bool online = true,
                       EngineProfile profile = {})
      : control(
            window, host, dialogs, std::move(factory), [online] { return online; },
            std::move(profile)) {
    applyWindowDefaults(window);
    // Tests of robots.txt turn it on; elsewhere it would add a request to every fake site.
    window.setOption(Option::chkObeyRobots, false);
  }
  void crawl(const std::string& url, int depth, int threads) {
    window.setText(Field::txtBaseURL, url);
    window.setText(Field::cboDepth, std::to_string(depth));
    window.setText(Field::cboThreads, std::to_string(threads));
    outcome = control.cmdScan_Click();
  }
  std::vector<std::string> emails() const { return control.state().sEmailList.entries(); }
  std::set<std::string> emailSet() const {
    const auto e = emails();
    return {e.begin(), e.end()};
  }
  std::string counter(Field f) const { return window.text(f); }

  MemoryWindow window;
  LoopHost host;
  RecordingDialogs dialogs;
  ScanControl control;
  StartOutcome outcome = StartOutcome::NotConfirmed;
};

}  // namespace korvex::test
