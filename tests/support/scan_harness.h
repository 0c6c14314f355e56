// A scan control on an in-memory window, with recorded dialogs.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/text.h"
#include "crawl/cls_email.h"
#include "support/memory_window.h"
#include "window/scan_control.h"
#include "window/window_defaults.h"

namespace korvex::test {

// The grid's rows: number, address and page.
inline std::vector<std::vector<std::string>> gridRows(const ScanResults& results) {
  std::vector<std::vector<std::string>> rows;
  for (const FoundAddress& a : results.addresses())
    rows.push_back({std::to_string(a.n), a.address, a.page});
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
            window, dialogs, std::move(factory), [online] { return online; }, std::move(profile)) {
    applyWindowDefaults(window);
    // Tests of robots.txt turn it on; elsewhere it would add a request to every fake site.
    window.setOption(Option::chkObeyRobots, false);
  }
  void crawl(const std::string& url, int depth, int threads) {
    window.setText(Field::txtBaseURL, url);
    window.setText(Field::cboDepth, std::to_string(depth));
    window.setText(Field::cboThreads, std::to_string(threads));
    start();
  }
  // Start, and the scan's results delivered to the window until it ends.
  void start() {
    outcome = control.cmdScan_Click();
    finish();
  }
  // Delivers, as the window's timer does, until no scan runs; onTurn runs between deliveries.
  void finish() {
    using namespace std::chrono;
    const auto began = steady_clock::now();
    while (!control.deliver()) {
      const auto elapsed = duration_cast<milliseconds>(steady_clock::now() - began);
      if (elapsed > minutes(2)) {
        ADD_FAILURE() << "the scan did not end";
        control.stopForExit();
      }
      if (onTurn) onTurn(elapsed);
      std::this_thread::sleep_for(milliseconds(2));
    }
    if (outcome == StartOutcome::Started) outcome = control.outcome();
  }
  std::vector<std::string> emails() const {
    std::vector<std::string> found;
    for (const FoundAddress& a : control.results().addresses()) found.push_back(a.address);
    return found;
  }
  std::set<std::string> emailSet() const {
    const auto e = emails();
    return {e.begin(), e.end()};
  }

  // On the test's thread while a scan runs, with the time since it began.
  std::function<void(std::chrono::milliseconds)> onTurn;
  MemoryWindow window;
  RecordingDialogs dialogs;
  ScanControl control;
  StartOutcome outcome = StartOutcome::NotConfirmed;
};

}  // namespace korvex::test
