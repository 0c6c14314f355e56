#include "journal/journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".journal";
// A transaction is also written once this many events wait, however soon.
constexpr size_t kBatchEvents = 512;

std::string startName(std::chrono::system_clock::time_point start, int attempt) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(start);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(start.time_since_epoch()).count() %
      1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d.%03lld%s", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<long long>(ms), attempt ? ("-" + std::to_string(attempt)).c_str() : "");
  return name + std::string(kExtension);
}

std::string systemError(const std::string& path) {
  return path + ": " + std::strerror(errno);
}

// The lock that keeps a second program from the journal; it ends with its process.
bool lock(int fd) {
  return flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void removeJournalFiles(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm"}) ::unlink((path + suffix).c_str());
}

}  // namespace

std::string journalFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') return std::string(state) + "/korvex/scans";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/state/korvex/scans";
}

std::vector<std::string> journalsNewestFirst() {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(journalFolder(), ec))
    if (entry.path().extension() == kExtension) found.push_back(entry.path().string());
  std::sort(found.rbegin(), found.rend());
  return found;
}

bool journalInUse(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = !lock(fd);
  ::close(fd);
  return held;
}

std::optional<JournalStatus> journalStatus(const std::string& path) {
  std::string why;
  const auto file = JournalFile::open(path, why);
  return file ? std::optional(file->status()) : std::nullopt;
}

std::optional<std::string> newestUnfinishedJournal() {
  for (const std::string& path : journalsNewestFirst()) {
    const auto status = journalStatus(path);
    if (status && *status != JournalStatus::Finished) return path;
  }
  return std::nullopt;
}

std::variant<JournalContents, std::string> readJournal(const std::string& path) {
  if (::access(path.c_str(), R_OK) != 0) return systemError(path);
  std::string why;
  auto file = JournalFile::open(path, why, true);
  JournalContents contents;
  if (!file || !file->read(contents, why)) return path + ": " + why;
  return contents;
}

std::variant<std::unique_ptr<Journal>, std::string> Journal::create(
    const std::optional<std::string>& path, const ScanInput& settings,
    std::chrono::system_clock::time_point start, FailureReport report) {
  std::vector<std::string> names;
  if (path) {
    names.push_back(*path);
  } else {
    const std::string folder = journalFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    // Journals hold addresses: their folder is the user's alone.
    fs::permissions(folder, fs::perms::owner_all, ec);
    for (int attempt = 0; attempt < 100; ++attempt)
      names.push_back(folder + "/" + startName(start, attempt));
  }
  // Made whole under a short name of its own beside it, then linked to the first free name: a
  // journal that exists always has its settings, however soon the scan is killed, and scans
  // started at once each get their own.
  const std::string folder = fs::path(names.front()).parent_path().string();
  std::string draft = (folder.empty() ? std::string(".") : folder) + "/.korvex-XXXXXX";
  const int fd = ::mkostemp(draft.data(), O_CLOEXEC);  // mode 0600
  if (fd < 0) return systemError(draft);
  ::close(fd);
  std::string why;
  if (!JournalFile::create(draft, settings, why)) {
    removeJournalFiles(draft);
    return names.front() + ": " + why;
  }
  std::string target;
  for (const std::string& name : names) {
    if (::link(draft.c_str(), name.c_str()) == 0) {
      target = name;
      break;
    }
    if (errno != EEXIST) break;
  }
  const std::string linkFailure = target.empty() ? systemError(names.front()) : "";
  removeJournalFiles(draft);
  if (target.empty()) return linkFailure;
  JournalContents ignored;
  return resume(target, ignored, std::move(report));
}

std::variant<std::unique_ptr<Journal>, std::string> Journal::resume(const std::string& path,
                                                                    JournalContents& contents,
                                                                    FailureReport report) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && errno != ENOENT)
    return systemError(path) +
           ": the journal cannot be written, so its scan cannot go on "
           "(korvex-cli export reads it)";
  if (fd < 0) return systemError(path);
  if (!lock(fd)) {
    ::close(fd);
    return path + ": another program is resuming this journal";
  }
  std::string why;
  auto file = JournalFile::open(path, why);
  if (!file || !file->read(contents, why)) {
    file.reset();
    ::close(fd);
    return path + ": " + why;
  }
  return std::unique_ptr<Journal>(new Journal(path, fd, std::move(file), std::move(report)));
}

Journal::Journal(std::string path, int lockFd, std::unique_ptr<JournalFile> file,
                 FailureReport report)
    : path_(std::move(path)),
      lockFd_(lockFd),
      file_(std::move(file)),
      report_(std::move(report)),
      writer_([this] { writeLoop(); }) {}

Journal::~Journal() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  if (writer_.joinable()) writer_.join();
  // SQLite's own locks end when any descriptor of the file closes: the database goes first.
  file_.reset();
  ::close(lockFd_);
}

void Journal::crawled(const CrawlEvent& event) {
  reportFailure();
  staged_.push_back(event);
  using K = CrawlEvent::Kind;
  // A collection's parts are written with its end, so that a crash never keeps half a page.
  if (event.kind == K::Queued || event.kind == K::KnownOnly || event.kind == K::Address ||
      event.kind == K::Domain)
    return;
  handOver();
}

void Journal::handOver() {
  if (staged_.empty()) return;
  bool wake;
  {
    std::lock_guard lock(mutex_);
    // The writer sleeps until the first events come, then gathers for a quarter second.
    wake = queue_.empty();
    if (queue_.empty()) {
      queue_.swap(staged_);
    } else {
      queue_.insert(queue_.end(), std::make_move_iterator(staged_.begin()),
                    std::make_move_iterator(staged_.end()));
    }
    wake = wake || queue_.size() >= kBatchEvents;
  }
  staged_.clear();
  if (wake) wake_.notify_one();
}

void Journal::end(JournalStatus status) {
  handOver();
  {
    std::lock_guard lock(mutex_);
    endStatus_ = status;
    closing_ = true;
  }
  wake_.notify_one();
  if (writer_.joinable()) writer_.join();
  reportFailure();
}

void Journal::reportFailure() {
  if (!failed_.load(std::memory_order_acquire)) return;
  std::string message;
  {
    std::lock_guard lock(mutex_);
    if (failure_.empty() || failureReported_) return;
    failureReported_ = true;
    message = path_ + " can no longer be written (" + failure_ +
              "): the scan goes on without its journal";
  }
  if (report_) report_(message);
}

void Journal::writeLoop() {
  bool marked = false;
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return closing_ || !queue_.empty(); });
    // Events gather for a quarter second, or until there are many of them.
    wake_.wait_for(lock, kJournalCommitEvery,
                   [this] { return closing_ || queue_.size() >= kBatchEvents; });
    std::vector<CrawlEvent> batch;
    batch.swap(queue_);
    const bool last = closing_;
    const bool ending = last && endStatus_.has_value();
    const JournalStatus status = endStatus_.value_or(JournalStatus::Running);
    const bool failed = !failure_.empty();
    lock.unlock();
    std::string why;
    // The status says running again once the scan writes: a journal only opened keeps its own.
    bool written =
        failed || batch.empty() || marked || file_->setStatus(JournalStatus::Running, why);
    marked = marked || (written && !batch.empty());
    written = written && (failed || batch.empty() || file_->write(batch, why));
    if (written && !failed && ending) written = file_->setStatus(status, why);
    lock.lock();
    if (!written && failure_.empty()) {
      failure_ = why.empty() ? "unknown error" : why;
      failed_.store(true, std::memory_order_release);
    }
    if (last) return;
  }
}

}  // namespace korvex
