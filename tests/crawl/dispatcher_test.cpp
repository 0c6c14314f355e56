// The dispatcher and the collector with scripted workers.
#include <gtest/gtest.h>

#include "support/fake_worker.h"
#include "support/scan_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;
using test::found;

struct Fixture {
  test::Script script;
  test::ScanHarness h{test::scriptedFactory(script)};
};

TEST(Collector, MergesAddressesCountsAndLinks) {
  Fixture f;
  f.script.results["http://s/"] = found(
      {"ann@x.com", "ANN@X.COM", "ann@x.com ", "", "   ", "joann@x.com", "bo@x.com", "cy@x.com"},
      {"http://s/ab", "http://s/a", "http://s/AB", "  ", "http://s/"}, -3, -1);
  f.script.results["http://s/ab"] = found({}, {}, 2, 1);
  f.h.crawl("http://s/", 1, 1);
  EXPECT_EQ(test::gridRows(f.h.control.results()),
            (std::vector<Strings>{{"1", "ann@x.com", "http://s/"},
                                  {"2", "joann@x.com", "http://s/"},
                                  {"3", "bo@x.com", "http://s/"},
                                  {"4", "cy@x.com", "http://s/"}}))
      << "blank addresses use no number; each names the page handed out";
  EXPECT_EQ(f.h.window.text(Field::txtNoOfEmails), "4");
  EXPECT_EQ(f.script.started, (Strings{"http://s/", "http://s/ab", "http://s/a"}))
      << "a link that begins a known URL is still new; the same link twice is taken once";
  EXPECT_EQ(f.h.window.text(Field::txtNoOfExtUrl), "3") << "1, then -3 ignored, then +2";
  EXPECT_EQ(f.h.window.text(Field::txtNoOfValidUrls), "0") << "-1 and +1 are both added";
}

TEST(Dispatcher, BusyWorkersAreSkippedAndEveryWorkerIsCollected) {
  Fixture f;
  f.script.finishLater = true;
  f.script.results["http://s/"] = found({"r@s.com"}, {"http://s/a", "http://s/b"});
  f.script.results["http://s/a"] = found({"a@s.com"}, {});
  f.script.results["http://s/b"] = found({"b@s.com"}, {});
  std::chrono::milliseconds lastTick{0};
  f.h.onTurn = [&](std::chrono::milliseconds elapsed) {
    if (elapsed - lastTick < std::chrono::milliseconds(20)) return;  // workers stay busy
    lastTick = elapsed;
    f.script.finishAll();
  };
  f.h.crawl("http://s/", 1, 3);
  EXPECT_EQ(f.script.startedBy, (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(f.h.emails(), (Strings{"r@s.com", "a@s.com", "b@s.com"}));
}

}  // namespace
}  // namespace korvex
