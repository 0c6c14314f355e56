#include "journal/journal_list.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <variant>

#include "base/shown_url.h"
#include "journal/journal.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSideFiles[] = {"-wal", "-shm"};

// "2026-12-06_19-30-05.123.journal" is "2026-12-06 19:30:05 UTC"; another name gives "".
std::string startedFromName(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  if (name.size() < 19 || name[10] != '_' || name[13] != '-' || name[16] != '-') return {};
  return name.substr(0, 10) + " " + name.substr(11, 2) + ":" + name.substr(14, 2) + ":" +
         name.substr(17, 2) + " UTC";
}

unsigned long long bytesOf(const std::string& path) {
  unsigned long long bytes = 0;
  std::error_code ec;
  for (const std::string& name : {path, path + kSideFiles[0], path + kSideFiles[1]})
    if (const auto size = fs::file_size(name, ec); !ec) bytes += size;
  return bytes;
}

JournalSummary summaryOf(const std::string& path) {
  JournalSummary s;
  s.path = path;
  s.started = startedFromName(path);
  s.bytes = bytesOf(path);
  s.inUse = journalInUse(path);
  const auto read = readJournal(path);
  if (const auto* why = std::get_if<std::string>(&read)) {
    s.status = "damaged";
    s.problem = shownValue(*why, 200);
    return s;
  }
  const JournalContents& c = std::get<JournalContents>(read);
  s.status = journalStatusName(c.status);
  s.scanned = c.settings.starts.size() > 1
                  ? std::to_string(c.settings.starts.size()) + " start URLs"
                  : shownValue(c.settings.base);  // the base URL or the keywords
  s.pagesRead = static_cast<long long>(c.progress.scanned.size());
  s.addresses = static_cast<long long>(c.progress.addresses.size());
  return s;
}

}  // namespace

std::vector<JournalSummary> listJournals() {
  std::vector<JournalSummary> out;
  for (const std::string& path : journalsNewestFirst()) out.push_back(summaryOf(path));
  return out;
}

PruneOutcome pruneJournals(double days) {
  PruneOutcome outcome;
  const auto before =
      fs::file_time_type::clock::now() - std::chrono::duration_cast<fs::file_time_type::duration>(
                                             std::chrono::duration<double>(days * 86400));
  for (const JournalSummary& s : listJournals()) {
    std::error_code ec;
    const auto changed = fs::last_write_time(s.path, ec);
    if (ec || changed > before || s.inUse || (s.status != "finished" && s.status != "stopped"))
      continue;
    // Held while it goes, so that a program that takes it meanwhile keeps it.
    const int fd = ::open(s.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (fd >= 0) ::close(fd);
      continue;
    }
    const bool gone = ::unlink(s.path.c_str()) == 0;
    if (!gone) outcome.failures.push_back(s.path + ": " + std::strerror(errno));
    ::close(fd);
    if (!gone) continue;
    for (const char* side : kSideFiles) ::unlink((s.path + side).c_str());
    outcome.removed.push_back(s.path);
  }
  return outcome;
}

}  // namespace korvex
