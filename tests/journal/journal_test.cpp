// The window's side of journals: the start-up offer to resume, and opening a journal.
#include "journal/journal.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_worker.h"
#include "support/scan_harness.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

struct Fixture {
  Fixture() {
    fs::remove_all(state);
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    script.results["http://s/"] = test::found({"r@s.com"}, {"http://s/a", "http://s/b"});
    script.results["http://s/a"] = test::found({"a@s.com"}, {});
    script.results["http://s/b"] = test::found({"b@s.com"}, {});
  }
  ~Fixture() { fs::remove_all(state); }
  // A scan of depth 2 left as a crash leaves it: the base URL read, its links not.
  std::string crashedScan() {
    SettingValues values;
    values[Setting::Depth] = "2";
    values[Setting::ObeyRobots] = "0";
    auto made = Journal::create(std::nullopt, {.base = "http://s/", .values = values},
                                std::chrono::system_clock::now(), nullptr);
    auto& journal = std::get<std::unique_ptr<Journal>>(made);
    using K = CrawlEvent::Kind;
    CrawlEvent address(K::Address, "");
    address.detail = "http://s/";
    auto found = std::make_shared<EmailList>();
    found->add("r@s.com");
    address.addresses = found;
    for (const CrawlEvent& e :
         {CrawlEvent(K::Queued, "http://s/", 1), CrawlEvent(K::HandedOut, "http://s/"), address,
          CrawlEvent(K::Queued, "http://s/a", 2), CrawlEvent(K::Queued, "http://s/b", 2),
          CrawlEvent(K::Collected, "http://s/"), CrawlEvent(K::HandedOut, "http://s/a")})
      journal->crawled(e);
    return journal->path();  // closed without an end: still running
  }

  fs::path state =
      fs::temp_directory_path() / ("korvex-window-journal-" + std::to_string(getpid()));
  test::Script script;
  test::ScanHarness h{test::scriptedFactory(script)};
};

TEST(WindowJournal, TheLastScanIsOfferedOnlyWhenItDidNotEnd) {
  for (bool answer : {false, true}) {
    SCOPED_TRACE(answer);
    Fixture f;
    const std::string path = f.crashedScan();
    f.h.dialogs.answer = answer;
    f.h.control.offerLastScan();
    f.h.finish();
    EXPECT_EQ(f.h.dialogs.questions, Strings{"The last scan did not finish. Resume it?"});
    EXPECT_EQ(f.script.started, answer ? (Strings{"http://s/a", "http://s/b"}) : Strings())
        << "the page in flight goes back to its level; the base URL is not read again";
    EXPECT_EQ(f.h.emails(), answer ? (Strings{"r@s.com", "a@s.com", "b@s.com"}) : Strings());
    EXPECT_EQ(journalStatus(path), answer ? JournalStatus::Finished : JournalStatus::Running);
    f.h.dialogs.questions.clear();
    f.h.control.offerLastScan();
    EXPECT_EQ(f.h.dialogs.questions.size(), answer ? 0u : 1u) << "a finished scan is not offered";
  }
}

TEST(WindowJournal, OpeningAJournalShowsItsSettingsAndResults) {
  Fixture f;
  f.h.window.setText(Field::txtBaseURL, "http://s/");
  f.h.window.setText(Field::cboDepth, "2");
  f.h.start();
  const auto journals = journalsNewestFirst();
  ASSERT_EQ(journals.size(), 1u);
  EXPECT_EQ(journalStatus(journals[0]), JournalStatus::Finished);
  test::ScanHarness other;
  other.control.openJournal(journals[0]);
  EXPECT_TRUE(other.dialogs.questions.empty()) << "a finished scan is only shown";
  EXPECT_EQ(other.window.text(Field::txtBaseURL), "http://s/");
  EXPECT_EQ(other.window.text(Field::cboDepth), "2");
  EXPECT_EQ(other.window.text(Field::txtNoOfEmails), "3");
  EXPECT_EQ(test::gridRows(other.control.results()), test::gridRows(f.h.control.results()));
}

}  // namespace
}  // namespace korvex
