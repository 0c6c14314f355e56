#include "window/scan_news.h"

#include <gtest/gtest.h>

#include "support/memory_window.h"
#include "window/window_sink.h"

namespace korvex {
namespace {

TEST(ScanNews, RowsAreToldOnceADeliveryNotOneByOneAndTheRestAsItComes) {
  MemoryWindow window;
  WindowSink sink(window);
  EventQueue queue(sink);
  ScanNews news(queue, window);
  for (int i = 0; i < 1000; ++i) {
    news.urlHandedOut("http://s/" + std::to_string(i));
    news.addressFound({i + 1, "a" + std::to_string(i) + "@s.com", "http://s/"});
  }
  news.countersChanged({.processed = 1000});
  EXPECT_EQ(window.resultsTold(), 0) << "on the window's thread only";
  queue.deliver();
  EXPECT_EQ(window.resultsTold(), 1);
  EXPECT_EQ(window.text(Field::txtNoOfURLs), "1000");
  news.urlHandedOut("http://s/late");
  queue.deliver();
  EXPECT_EQ(window.resultsTold(), 2) << "news again once the last was taken";
}

}  // namespace
}  // namespace korvex
