#include <gtest/gtest.h>

#include "support/fake_worker.h"
#include "support/scan_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

TEST(Start, OfflineShowsOnlyTheConnectionMessage) {
  test::Script script;
  test::ScanHarness h(test::scriptedFactory(script), /*online=*/false);
  h.window.setText(Field::txtNoOfPages, "");
  h.crawl("", 1, 1);
  EXPECT_EQ(h.outcome, StartOutcome::NotConnected);
  EXPECT_EQ(h.dialogs.messages, (Strings{"You are not connected to internet. Please check."}));
}

TEST(Start, ParameterChecksInOrder) {
  struct Case {
    const char* name;
    std::function<void(MemoryWindow&)> setUp;
    const char* message;
    Field focus;
  } cases[] = {
      {"no mode", [](MemoryWindow& w) { w.setOption(Option::optURL, false); },
       "Please select a search URL or keyword by clicking on Search Parameters tab.",
       Field::txtBaseURL},
      {"blank base URL", [](MemoryWindow& w) { w.setText(Field::txtBaseURL, "   "); },
       "Please enter the base URL or keyword by click on the Search Parameters tab..",
       Field::txtBaseURL},
      {"blank keywords",
       [](MemoryWindow& w) {
         w.setOption(Option::optKeyword, true);
         w.setText(Field::txtBaseURL, "");
       },
       "Please enter the search string", Field::txtBaseURL},
      {"no depth", [](MemoryWindow& w) { w.setText(Field::cboDepth, ""); },
       "Please select the search depth level.", Field::cboDepth},
      {"page count 0", [](MemoryWindow& w) { w.setText(Field::txtNoOfPages, "0"); },
       "Please enter the  max no. of search pages.", Field::txtNoOfPages},
      {"page count letters", [](MemoryWindow& w) { w.setText(Field::txtNoOfPages, "abc"); },
       "Please enter the  max no. of search pages.", Field::txtNoOfPages},
      {"no threads", [](MemoryWindow& w) { w.setText(Field::cboThreads, "0"); },
       "Please select the number of threads.", Field::cboThreads},
      {"a typed thread count beyond the list",
       [](MemoryWindow& w) { w.setText(Field::cboThreads, "1e9"); },
       "Please select the number of threads.", Field::cboThreads},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::Script script;
    test::ScanHarness h(test::scriptedFactory(script));
    h.window.setText(Field::txtBaseURL, "http://s/");
    c.setUp(h.window);
    EXPECT_EQ(h.control.cmdScan_Click(), StartOutcome::ParameterRefused);
    EXPECT_EQ(h.dialogs.messages, (Strings{c.message}));
    EXPECT_EQ(h.window.focused(), c.focus);
    EXPECT_TRUE(h.dialogs.questions.empty());
  }
}

TEST(Start, NoAtTheConfirmationChangesNothing) {
  test::Script script;
  script.results["http://s/"].emails = {{"a@s.com", "http://s/"}};
  test::ScanHarness h(test::scriptedFactory(script));
  h.crawl("http://s/", 1, 1);
  ASSERT_EQ(h.emails().size(), 1u);
  h.dialogs.answer = false;
  h.crawl("http://other/", 1, 1);
  EXPECT_EQ(h.outcome, StartOutcome::NotConfirmed);
  EXPECT_EQ(h.emails().size(), 1u);
  EXPECT_EQ(h.window.text(Field::txtNoOfEmails), "1");
  EXPECT_EQ(h.window.gridCell(1, 1), "a@s.com");
}

TEST(Start, BaseUrlGetsASchemeOnlyWhenItHasNone) {
  struct Case {
    const char* typed;
    const char* shown;
  } cases[] = {{"  example.com/a ", "http://example.com/a"},
               {"HTTP://Example.com", "HTTP://Example.com"},
               {"https://secure.example", "https://secure.example"},
               {"HTTPS://SECURE.EXAMPLE", "HTTPS://SECURE.EXAMPLE"},
               {"httpx.example", "http://httpx.example"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    test::Script script;
    test::ScanHarness h(test::scriptedFactory(script));
    h.crawl(c.typed, 1, 1);
    EXPECT_EQ(h.window.text(Field::txtBaseURL), c.shown);
    EXPECT_EQ(script.started, (Strings{c.shown}));
  }
}

TEST(Start, ResetsTheResultsAndReadsTheParameters) {
  test::Script script;
  script.results["http://s/"].emails = {{"a@s.com", "http://s/"}};
  test::ScanHarness h(test::scriptedFactory(script));
  h.crawl("http://s/", 1, 1);
  script.results.clear();
  h.window.setText(Field::txtURLMustKeyword, " A \r\n\r\nb");
  h.window.setText(Field::txtPagesMustNotKeyword, "x\r\n");
  h.crawl("http://s/", 20, 3);
  const ScanState& s = h.control.state();
  EXPECT_TRUE(h.emails().empty());
  EXPECT_EQ(h.window.text(Field::txtEmail), "");
  EXPECT_EQ(h.window.text(Field::txtNoOfEmails), "");
  EXPECT_EQ(h.window.text(Field::txtNoOfExtUrl), "1");
  EXPECT_EQ(h.window.gridRows(), 2);
  EXPECT_EQ(h.window.gridCell(0, 0), "Sl.No");
  EXPECT_EQ(h.window.gridCell(1, 1), "");
  EXPECT_EQ(s.iMaxDepth, 21);
  EXPECT_EQ(s.aURLMust, (Strings{" A ", "", "b"}));
  EXPECT_EQ(s.aPagesMustNot, (Strings{"x", ""}));
  EXPECT_TRUE(s.aURLMustNot.empty());
  EXPECT_EQ(s.iThreads, 3);
  EXPECT_EQ(h.window.text(Field::lblDetails), "");
}

TEST(Leaving, AsksOnlyWhileAddressesAreListed) {
  struct Case {
    const char* emails;
    bool answer;
    bool asked;
    bool cancel;
  } cases[] = {{"", false, false, false},
               {"   ", false, false, false},
               {"a@b.com\r\n", false, true, true},
               {"a@b.com\r\n", true, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.emails) + (c.answer ? " yes" : " no"));
    test::Script script;
    test::ScanHarness h(test::scriptedFactory(script));
    h.window.setText(Field::txtEmail, c.emails);
    h.dialogs.answer = c.answer;
    bool cancel = false;
    h.control.Form_Unload(cancel);
    EXPECT_EQ(cancel, c.cancel);
    EXPECT_EQ(h.dialogs.questions.size(), c.asked ? 1u : 0u);
  }
}

}  // namespace
}  // namespace korvex
