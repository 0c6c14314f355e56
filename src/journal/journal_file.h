// A journal's SQLite file: its format, what is written into it and what is read back.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "crawl/scan_results.h"
#include "session/scan_input.h"

struct sqlite3;
struct sqlite3_stmt;

namespace korvex {

// How a scan was asked for, as the journal keeps it.
enum class JournalStatus { Running, Stopped, Finished };
// "running", "stopped", "finished": as a journal keeps it, and as listings and JSON lines say it.
const char* journalStatusName(JournalStatus status);

struct JournalContents {
  ScanInput settings;
  JournalStatus status = JournalStatus::Running;
  ScanProgress progress;
};

class JournalFile {
 public:
  // An existing file; nothing when it cannot be opened, is not a journal, or is of a newer
  // format, with the reason in `why`. A file opened read-only is only read.
  static std::unique_ptr<JournalFile> open(const std::string& path, std::string& why,
                                           bool readOnly = false);
  // A new, empty file (made by the caller with its mode) given its tables and settings; it is
  // to be opened again for writing.
  static std::unique_ptr<JournalFile> create(const std::string& path, const ScanInput& settings,
                                             std::string& why);
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  // One transaction for the events, in their order; false with the reason when it failed.
  bool write(const std::vector<CrawlEvent>& events, std::string& why);
  bool setStatus(JournalStatus status, std::string& why);
  JournalStatus status() const;
  // Everything kept, every value checked against its domain; false with the reason when the
  // file is damaged, cut short or holds a value no scan writes.
  bool read(JournalContents& contents, std::string& why);

 private:
  explicit JournalFile(sqlite3* db) : db_(db) {}
  static std::unique_ptr<JournalFile> connect(const std::string& path, std::string& why,
                                              bool readOnly);
  bool exec(const char* sql, std::string& why);
  bool prepare(std::string& why);
  bool apply(const CrawlEvent& e, std::string& why);
  // One row an address of a page.
  bool writeAddresses(const CrawlEvent& e, std::string& why);

  // One statement for each kind of event, and two insertions of URLs never queued.
  static constexpr size_t kInsertRead = 9, kInsertRefused = 10, kStatements = 11;
  sqlite3* db_;
  std::array<sqlite3_stmt*, kStatements> writes_{};
  long long nextSeq_ = 1;      // hand-outs and refusals, in their order
  long long nextAddress_ = 1;  // the running number of the next address
  long long urlRows_ = 0;      // the rows of each table, as committed with the events
  long long addressRows_ = 0;
};

}  // namespace korvex
