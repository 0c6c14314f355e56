// Pages built to hurt each scanner of page text go through the engine at 1 MiB; a watchdog ends
// the run as a failure instead of letting a quadratic scan hold CI.
#include "hostile_pages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <iostream>

#include "session/page_preview.h"
#include "support/engine_harness.h"
#include "support/fake_engine.h"
#include "support/fake_worker.h"
#include "support/scan_harness.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

// Generous: each case takes milliseconds when linear, hours when quadratic.
constexpr auto kWatchdog = 120s;

template <typename Work>
void withinWatchdog(const std::string& name, Work work) {
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(kWatchdog) == std::future_status::timeout) {
    std::cerr << "hostile page \"" << name << "\" did not finish within the watchdog\n";
    std::_Exit(1);
  }
  done.get();
}

TEST(HostilePages, EveryScannerFinishes) {
  test::TestServer server;
  const auto keywords = bench::hostileKeywords(1000);
  int n = 0;
  for (const auto& page : bench::hostilePages(1u << 20)) {
    SCOPED_TRACE(page.name);
    const std::string path = "/case" + std::to_string(n++);
    server.serve(path, test::Reply::page(page.body));
    switch (page.scanner) {
      case bench::Scanner::Page:
        withinWatchdog(page.name, [&] { EXPECT_TRUE(previewPage(server.url(path)).read); });
        break;
      case bench::Scanner::Keywords:
        withinWatchdog(page.name, [&] {
          test::EngineHarness h;
          h.settings.pagesMust = "x";
          h.settings.aPagesMust = keywords;
          const PageResult r = h.read(server.url(path), 2);
          EXPECT_TRUE(r.read);
          EXPECT_EQ(r.validUrls, 0) << "none of the keywords occurs";
        });
        break;
      case bench::Scanner::ResultPage:
        withinWatchdog(page.name, [&] {
          test::Script script;
          test::ScanHarness h(test::scriptedFactory(script), true, test::engineProfile(server));
          server.serve("/search?p=x", test::Reply::page(page.body));
          h.window.setOption(Option::optKeyword, true);
          h.window.setText(Field::txtBaseURL, "x");
          h.window.setText(Field::cboDepth, "1");
          h.start();
          EXPECT_EQ(h.outcome, StartOutcome::Ran);
          EXPECT_TRUE(script.started.empty()) << "no result link in markers and cuts";
        });
        break;
    }
  }
}

}  // namespace
}  // namespace korvex
