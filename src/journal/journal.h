// Every scan's journal: its settings, every URL it knows and every address it found, written as
// the scan goes by a thread of its own, in transactions at most a quarter of a second apart. A
// crash loses at most that and the pages in flight, which a resumed scan reads again.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "journal/journal_file.h"

namespace korvex {

inline constexpr std::chrono::milliseconds kJournalCommitEvery{250};

// $XDG_STATE_HOME/korvex/scans, or ~/.local/state/korvex/scans when it is not set.
std::string journalFolder();
// The journals in the folder, newest first (their names are their start times).
std::vector<std::string> journalsNewestFirst();

// Whether another program holds the journal (a scan writing it, or resuming it).
bool journalInUse(const std::string& path);
// A journal's status, nothing when it cannot be read.
std::optional<JournalStatus> journalStatus(const std::string& path);
// The newest journal in the folder whose scan did not finish.
std::optional<std::string> newestUnfinishedJournal();
// A journal's contents, or why it cannot be read.
std::variant<JournalContents, std::string> readJournal(const std::string& path);

class Journal final : public ScanSink {
 public:
  // Told, on the main thread and once, why the journal could no longer be written.
  using FailureReport = std::function<void(const std::string&)>;

  // A new journal: at `path`, which must not exist, or else in the journal folder under the
  // time of `start`.
  static std::variant<std::unique_ptr<Journal>, std::string> create(
      const std::optional<std::string>& path, const ScanInput& settings,
      std::chrono::system_clock::time_point start, FailureReport report);
  // A journal taken over to resume its scan, with what it holds; refused while another program
  // has it.
  static std::variant<std::unique_ptr<Journal>, std::string> resume(const std::string& path,
                                                                    JournalContents& contents,
                                                                    FailureReport report);
  // Writes what is left and closes the file, its status as it stands.
  ~Journal() override;
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  const std::string& path() const { return path_; }
  void crawled(const CrawlEvent& event) override;
  // How the scan ended: Finished when by itself, Stopped when the user stopped it.
  void end(JournalStatus status);

 private:
  Journal(std::string path, int lockFd, std::unique_ptr<JournalFile> file, FailureReport report);
  void writeLoop();
  void handOver();
  void reportFailure();

  std::string path_;
  int lockFd_;
  std::unique_ptr<JournalFile> file_;  // the writer thread's
  FailureReport report_;
  std::vector<CrawlEvent> staged_;  // a collection's events, until its end

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<CrawlEvent> queue_;
  std::optional<JournalStatus> endStatus_;
  bool closing_ = false;
  std::string failure_;              // set once by the writer
  std::atomic<bool> failed_{false};  // the same, read without the lock at every event
  bool failureReported_ = false;
  std::thread writer_;
};

}  // namespace korvex
