#include <gtest/gtest.h>

#include "support/fake_worker.h"
#include "support/scan_harness.h"
#include "window/scan_news.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

TEST(Start, ParameterChecksInOrder) {
  // What is wrong (a field's text, a criterion chosen, no connection), the message, the field
  // with the focus. The connection is checked first.
  const struct {
    std::optional<Option> criterion;
    Field field;
    const char* typed;
    const char* message;
    Field focus;
    bool online = true;
  } cases[] = {
      // clang-format off
      {{}, Field::txtNoOfPages, "", "You are not connected to internet. Please check.",
       Field::txtBaseURL, false},
      {Option::optURL, Field::txtDelimiter, ";",
       "Please select a search URL or keyword by clicking on Search Parameters tab.", Field::txtBaseURL},
      {{}, Field::txtBaseURL, "   ",
       "Please enter the base URL or keyword by click on the Search Parameters tab..", Field::txtBaseURL},
      {Option::optKeyword, Field::txtBaseURL, "", "Please enter the search string", Field::txtBaseURL},
      {{}, Field::txtBaseURL, "file:///etc/passwd", "Only http and https URLs can be scanned.",
       Field::txtBaseURL},
      {Option::optURLList, Field::txtURLList, "# none yet\r\nftp://s/\r\n",
       "Please enter the URLs to scan, one per line.", Field::txtURLList},
      {Option::optKeyword, Field::txtEngineJson, "ftp://engine/",
       "The JSON engine needs an http or https URL with a host.", Field::txtEngineJson},
      {{}, Field::cboDepth, "", "Please select the search depth level.", Field::cboDepth},
      {{}, Field::txtNoOfPages, "0", "Please enter the  max no. of search pages.", Field::txtNoOfPages},
      {{}, Field::cboThreads, "0", "Please select the number of threads.", Field::cboThreads},
      {{}, Field::txtMaxTime, "1e999", "Time per page cannot be greater than 1440 minutes",
       Field::txtMaxTime}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    test::Script script;
    test::ScanHarness h(test::scriptedFactory(script), c.online);
    h.window.setText(Field::txtBaseURL, "http://s/");
    // The first row turns the URL criterion off, leaving none chosen.
    if (c.criterion) h.window.setOption(*c.criterion, c.criterion != Option::optURL);
    h.window.setText(c.field, c.typed);
    EXPECT_EQ(h.control.cmdScan_Click(),
              c.online ? StartOutcome::ParameterRefused : StartOutcome::NotConnected);
    EXPECT_EQ(h.dialogs.messages, (Strings{c.message}));
    EXPECT_EQ(h.window.focused(), c.focus);
    EXPECT_TRUE(h.dialogs.questions.empty());
  }
}

TEST(Start, ResetsTheResultsAndReadsTheParametersOnlyOnceConfirmed) {
  test::Script script;
  script.results["http://s/"].emails.add("a@s.com");
  test::ScanHarness h(test::scriptedFactory(script));
  h.crawl("http://s/", 1, 1);
  script.results.clear();
  h.dialogs.answer = false;
  h.crawl("http://other/", 20, 3);
  EXPECT_EQ(h.outcome, StartOutcome::NotConfirmed);
  EXPECT_EQ(h.window.text(Field::txtNoOfEmails), "1") << "No at the confirmation changes nothing";
  EXPECT_EQ(h.emails(), Strings{"a@s.com"});
  h.dialogs.answer = true;
  h.window.setText(Field::txtURLMustKeyword, " A \r\n\r\nb");
  h.crawl("  s/ ", 20, 3);
  EXPECT_EQ(h.window.text(Field::txtBaseURL), "http://s/") << "a scheme only where none is";
  EXPECT_EQ(script.started.back(), "http://s/");
  EXPECT_TRUE(h.emails().empty());
  EXPECT_EQ(h.window.text(Field::txtNoOfEmails), "");
  EXPECT_EQ(h.window.text(Field::txtNoOfExtUrl), "1");
  EXPECT_EQ(script.maxDepth, 21);
  EXPECT_EQ(script.configured.page.aURLMust, (Strings{" A ", "", "b"}));
  EXPECT_TRUE(script.configured.page.aURLMustNot.empty());
}

TEST(Start, AListOfUrlsStartsAtEachAndSaysWhichLinesItSkipped) {
  test::Script script;
  test::ScanHarness h(test::scriptedFactory(script));
  h.window.setOption(Option::optURLList, true);
  h.window.setText(Field::txtURLList, "http://s/a\r\n\r\nbad\r\nhttp://t/b\r\nhttp://s/a\r\n");
  h.crawl("", 1, 1);
  EXPECT_EQ(h.outcome, StartOutcome::Ran);
  EXPECT_EQ(script.started, (Strings{"http://s/a", "http://t/b"})) << "each once, in order";
  EXPECT_EQ(h.window.text(Field::lblDetails),
            "Lines skipped: line 3: not an http or https URL: bad");
}

TEST(ScanNews, AddedRowsAreToldOnceADeliveryNotOneByOne) {
  MemoryWindow window;
  WindowSink sink(window);
  EventQueue queue(sink);
  ScanNews news(queue, window);
  for (int i = 0; i < 1000; ++i) news.urlHandedOut("http://s/" + std::to_string(i));
  EXPECT_EQ(window.resultsTold(), 0) << "on the window's thread only";
  queue.deliver();
  EXPECT_EQ(window.resultsTold(), 1);
  news.addressFound({1, "a@s.com", "http://s/"});
  queue.deliver();
  EXPECT_EQ(window.resultsTold(), 2) << "news again once the last was taken";
}

}  // namespace
}  // namespace korvex
