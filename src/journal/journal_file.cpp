#include "journal/journal_file.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <array>
#include <map>
#include <optional>

#include "base/number.h"
#include "base/shown_url.h"
#include "base/text.h"
#include "settings/field_checks.h"

namespace korvex {
namespace {

// "KRVX": how a journal is told from any other SQLite file.
constexpr int kApplicationId = 0x4B525658;
constexpr int kFormat = 1;

// What became of each URL the scan knows.
enum UrlState { Queued, HandedOut, Read, Refused, KnownOnly, PassedOver, OutOfScope };

constexpr const char* kSchema = R"(
BEGIN;
CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE urls (
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL,
  url TEXT NOT NULL,
  level INTEGER NOT NULL,
  state INTEGER NOT NULL,
  seq INTEGER,
  links INTEGER NOT NULL DEFAULT 0,
  accepted INTEGER NOT NULL DEFAULT 0,
  reason TEXT,
  unreadable INTEGER NOT NULL DEFAULT 0);
CREATE INDEX urls_by_key ON urls (key);
CREATE TABLE addresses (n INTEGER PRIMARY KEY, address TEXT NOT NULL, page TEXT NOT NULL);
CREATE TABLE domains (name TEXT PRIMARY KEY, answer TEXT NOT NULL);
PRAGMA application_id = 1263687256;
PRAGMA user_version = 1;
COMMIT;
)";
static_assert(kApplicationId == 1263687256 && kFormat == 1, "the schema's pragmas");

// One statement, finalized with its scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  explicit operator bool() const { return stmt_ != nullptr; }
  Statement& bind(int i, const std::string& text) {
    sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& bind(int i, long long n) {
    sqlite3_bind_int64(stmt_, i, n);
    return *this;
  }
  // Ends the statement's read, so that the connection may change its journal mode.
  void reset() { sqlite3_reset(stmt_); }
  // SQLITE_ROW while rows come, SQLITE_DONE at the end, an error code otherwise.
  int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
  long long number(int column) const { return sqlite3_column_int64(stmt_, column); }
  std::string text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))) : "";
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

long long single(sqlite3* db, const char* sql) {
  Statement s(db, sql);
  return s.step() == SQLITE_ROW ? s.number(0) : 0;
}

}  // namespace

const char* journalStatusName(JournalStatus status) {
  switch (status) {
    case JournalStatus::Running:
      return "running";
    case JournalStatus::Stopped:
      return "stopped";
    case JournalStatus::Finished:
      return "finished";
  }
  return "running";
}

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// How many rows each table holds, kept in the transaction that changes them: a file cut short
// or changed behind the journal's back is told by them.
constexpr const char* kUrlRows = "urlRows";
constexpr const char* kAddressRows = "addressRows";

// A setting is kept under its stable key, a list's choice as its flag word ("scope" = "host"):
// renaming a control or a label changes no journal. Journals of 78a53c3 used the control's name
// and the label, and are read as they are.
std::string journalValue(const SettingRow& row, const std::string& value) {
  for (const auto& [word, shown] : row.flagWords)
    if (value == shown) return std::string(word);
  return value;
}

std::optional<std::string> settingFromRows(const SettingRow& row,
                                           const std::map<std::string, std::string>& rows) {
  if (const auto old = rows.find(std::string(row.control)); old != rows.end()) return old->second;
  const auto kept = rows.find(std::string(row.key));
  if (kept == rows.end()) return std::nullopt;
  for (const auto& [word, shown] : row.flagWords)
    if (kept->second == word) return std::string(shown);
  return kept->second;
}

}  // namespace

JournalFile::~JournalFile() {
  for (sqlite3_stmt* s : writes_) sqlite3_finalize(s);
  sqlite3_close_v2(db_);
}

std::unique_ptr<JournalFile> JournalFile::connect(const std::string& path, std::string& why,
                                                  bool readOnly) {
  sqlite3* db = nullptr;
  int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  std::string name = path;
  // Without a write-ahead log beside it, the file is all there is: read as immutable, it needs
  // no shared-memory file, so a journal in a folder that cannot be written is read too.
  struct stat wal {};
  if (readOnly && ::stat((path + "-wal").c_str(), &wal) != 0) {
    name = "file:";
    for (char c : path) {
      if (c == '%' || c == '?' || c == '#')
        appendEscapedByte(name, static_cast<unsigned char>(c));
      else
        name += c;
    }
    name += "?immutable=1";
    flags |= SQLITE_OPEN_URI;
  }
  if (sqlite3_open_v2(name.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    why = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    return nullptr;
  }
  return std::unique_ptr<JournalFile>(new JournalFile(db));
}

std::unique_ptr<JournalFile> JournalFile::open(const std::string& path, std::string& why,
                                               bool readOnly) {
  std::unique_ptr<JournalFile> file = connect(path, why, readOnly);
  if (!file) return nullptr;
  sqlite3* db = file->db_;
  sqlite3_db_config(db, SQLITE_DBCONFIG_LOOKASIDE, nullptr, 0, 0);
  sqlite3_busy_timeout(db, 2000);
  Statement id(db, "PRAGMA application_id");
  const int rc = id.step();
  if (rc != SQLITE_ROW) {
    why = sqlite3_errmsg(db);
    return nullptr;
  }
  const long long application = id.number(0);
  id.reset();
  if (application != kApplicationId) {
    why = "not a Korvex journal";
    return nullptr;
  }
  if (single(db, "PRAGMA user_version") > kFormat) {
    why = "a journal of a newer format than this program reads";
    return nullptr;
  }
  if (readOnly) return file;
  // Journals written before the domains were checked have no table for their answers.
  if (!file->exec(
          "CREATE TABLE IF NOT EXISTS domains (name TEXT PRIMARY KEY, answer TEXT NOT NULL)", why))
    return nullptr;
  file->nextSeq_ = single(db, "SELECT coalesce(max(seq), 0) + 1 FROM urls");
  file->nextAddress_ = single(db, "SELECT coalesce(max(n), 0) + 1 FROM addresses");
  file->urlRows_ = single(db, "SELECT count(*) FROM urls");
  file->addressRows_ = single(db, "SELECT count(*) FROM addresses");
  // Written as the scan goes, read by export meanwhile; each commit reaches the disk, so a power
  // cut loses at most the transaction being written. Appends need little cache: a small one (and
  // no lookaside) keeps the scan's memory near what it is without a journal.
  if (!file->exec("PRAGMA journal_mode = WAL", why) ||
      !file->exec("PRAGMA synchronous = FULL", why) ||
      !file->exec("PRAGMA cache_size = -64", why) || !file->prepare(why))
    return nullptr;
  return file;
}

std::unique_ptr<JournalFile> JournalFile::create(const std::string& path, const ScanInput& settings,
                                                 std::string& why) {
  std::unique_ptr<JournalFile> file = connect(path, why, false);
  if (!file || !file->exec(kSchema, why)) return nullptr;
  std::vector<std::pair<std::string, std::string>> rows = {
      {"mode", settings.keywordMode ? "keywords" : "url"},
      {"base", settings.base},
      {"engine", settings.engine},
      {"engine-json", settings.engineJson},
      {"starts", joinLines(settings.starts)},
      {"resolve", joinLines(settings.resolve)},
      {"dns-servers", joinLines(settings.dnsServers)},
      {"status", journalStatusName(JournalStatus::Running)},
      {kUrlRows, "0"},
      {kAddressRows, "0"}};
  for (const SettingRow& row : settingTable())
    rows.emplace_back(row.key, journalValue(row, settings.values[row.setting]));
  if (!file->exec("BEGIN", why)) return nullptr;
  for (const auto& [name, value] : rows) {
    Statement insert(file->db_, "INSERT INTO settings (name, value) VALUES (?1, ?2)");
    if (insert.bind(1, name).bind(2, value).step() != SQLITE_DONE) {
      why = sqlite3_errmsg(file->db_);
      return nullptr;
    }
  }
  if (!file->exec("COMMIT", why)) return nullptr;
  return file;
}

bool JournalFile::exec(const char* sql, std::string& why) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) == SQLITE_OK) return true;
  why = error ? error : sqlite3_errmsg(db_);
  sqlite3_free(error);
  return false;
}

namespace {

// A URL is found by a hash of its bytes, an index far smaller and quicker than one of the text.
long long keyOf(const std::string& url) {
  uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : url) h = (h ^ c) * 1099511628211ull;
  return static_cast<long long>(h);
}

}  // namespace

bool JournalFile::prepare(std::string& why) {
  // ?1 the URL (or domain), ?5 its key. The first nine in the order of CrawlEvent::Kind; then
  // the insertions of a URL handed out or refused that was never queued (keyword mode's result
  // pages and start links), which is read at once.
  static constexpr std::array<const char*, kStatements> kSql = {
      "INSERT INTO urls (key, url, level, state) VALUES (?5, ?1, ?2, 0)",
      "INSERT INTO urls (key, url, level, state) VALUES (?5, ?1, 0, 4)",
      "UPDATE urls SET state = 1, seq = ?2 WHERE key = ?5 AND url = ?1",
      "UPDATE urls SET state = 5 WHERE key = ?5 AND url = ?1",
      "UPDATE urls SET state = 3, seq = ?2, reason = ?3, unreadable = ?4 "
      "WHERE key = ?5 AND url = ?1",
      "UPDATE urls SET state = 2, links = ?2, accepted = ?3 WHERE key = ?5 AND url = ?1",
      "INSERT INTO addresses (n, address, page) VALUES (?2, ?1, ?3)",
      "INSERT INTO urls (key, url, level, state) VALUES (?5, ?1, 0, 6)",
      "INSERT OR REPLACE INTO domains (name, answer) VALUES (?1, ?3)",
      "INSERT INTO urls (key, url, level, state, seq) VALUES (?5, ?1, 0, 2, ?2)",
      "INSERT INTO urls (key, url, level, state, seq, reason, unreadable) "
      "VALUES (?5, ?1, 0, 3, ?2, ?3, ?4)",
  };
  for (size_t i = 0; i < kSql.size(); ++i) {
    if (sqlite3_prepare_v3(db_, kSql[i], -1, SQLITE_PREPARE_PERSISTENT, &writes_[i], nullptr) !=
        SQLITE_OK) {
      why = sqlite3_errmsg(db_);
      return false;
    }
  }
  return true;
}

bool JournalFile::writeAddresses(const CrawlEvent& e, std::string& why) {
  if (!e.addresses) return true;
  sqlite3_stmt* s = writes_[static_cast<size_t>(CrawlEvent::Kind::Address)];
  for (size_t i = 0; i < e.addresses->size(); ++i) {
    sqlite3_reset(s);
    const std::string_view address = (*e.addresses)[i];
    sqlite3_bind_text(s, 1, address.data(), static_cast<int>(address.size()), SQLITE_STATIC);
    sqlite3_bind_int64(s, 2, nextAddress_++);
    sqlite3_bind_text(s, 3, e.detail.data(), static_cast<int>(e.detail.size()), SQLITE_STATIC);
    if (sqlite3_step(s) != SQLITE_DONE) {
      why = sqlite3_errmsg(db_);
      return false;
    }
    ++addressRows_;
  }
  return true;
}

bool JournalFile::apply(const CrawlEvent& e, std::string& why) {
  using K = CrawlEvent::Kind;
  if (e.kind == K::Address) return writeAddresses(e, why);
  const long long key = keyOf(e.url);
  const long long seq = e.kind == K::HandedOut || e.kind == K::Refused ? nextSeq_++ : 0;
  auto run = [&](size_t statement) {
    sqlite3_stmt* s = writes_[statement];
    sqlite3_reset(s);
    auto text = [s](int i, const std::string& t) {
      sqlite3_bind_text(s, i, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
    };
    text(1, e.url);
    sqlite3_bind_int64(s, 5, key);
    switch (e.kind) {
      case K::Queued:
        sqlite3_bind_int64(s, 2, e.level);
        break;
      case K::HandedOut:
        sqlite3_bind_int64(s, 2, seq);
        break;
      case K::Refused:
        sqlite3_bind_int64(s, 2, seq);
        text(3, e.detail);
        sqlite3_bind_int(s, 4, e.robotsUnreadable ? 1 : 0);
        break;
      case K::Collected:
        sqlite3_bind_int64(s, 2, e.linksTaken);
        sqlite3_bind_int64(s, 3, e.pagesAccepted);
        break;
      case K::Domain:
        text(3, e.detail);
        break;
      case K::KnownOnly:
      case K::PassedOver:
      case K::OutOfScope:
      case K::Address:
        break;
    }
    if (sqlite3_step(s) == SQLITE_DONE) return true;
    why = sqlite3_errmsg(db_);
    return false;
  };
  if (!run(static_cast<size_t>(e.kind))) return false;
  const bool unknown = sqlite3_changes(db_) == 0;
  switch (e.kind) {
    case K::Queued:
    case K::KnownOnly:
    case K::OutOfScope:
      ++urlRows_;
      return true;
    case K::HandedOut:
    case K::Refused:
      if (!unknown) return true;
      ++urlRows_;
      return run(e.kind == K::HandedOut ? kInsertRead : kInsertRefused);
    default:
      return true;
  }
}

bool JournalFile::write(const std::vector<CrawlEvent>& events, std::string& why) {
  const long long urlRows = urlRows_, addressRows = addressRows_;
  auto rollBack = [&] {
    std::string ignored;
    exec("ROLLBACK", ignored);
    urlRows_ = urlRows;
    addressRows_ = addressRows;
    return false;
  };
  if (!exec("BEGIN", why)) return false;
  for (const CrawlEvent& e : events)
    if (!apply(e, why)) return rollBack();
  for (const auto& [name, rows] : {std::pair{kUrlRows, urlRows_}, {kAddressRows, addressRows_}}) {
    Statement s(db_, "INSERT OR REPLACE INTO settings (name, value) VALUES (?1, ?2)");
    if (s.bind(1, std::string(name)).bind(2, std::to_string(rows)).step() != SQLITE_DONE) {
      why = sqlite3_errmsg(db_);
      return rollBack();
    }
  }
  if (exec("COMMIT", why)) return true;
  return rollBack();
}

bool JournalFile::setStatus(JournalStatus status, std::string& why) {
  Statement s(db_, "UPDATE settings SET value = ?1 WHERE name = 'status'");
  if (s.bind(1, std::string(journalStatusName(status))).step() == SQLITE_DONE) return true;
  why = sqlite3_errmsg(db_);
  return false;
}

JournalStatus JournalFile::status() const {
  Statement s(db_, "SELECT value FROM settings WHERE name = 'status'");
  const std::string value = s.step() == SQLITE_ROW ? s.text(0) : "";
  return value == "finished"  ? JournalStatus::Finished
         : value == "stopped" ? JournalStatus::Stopped
                              : JournalStatus::Running;
}

namespace {

// A level of a URL still to read: from the start URLs' 1 to one past the deepest depth.
bool queuedLevel(long long level) {
  return level >= 1 && level <= kMaxDepth + 1;
}

// The settings as a scan writes them; the reason of the first value that is not.
std::optional<std::string> settingsProblem(const std::map<std::string, std::string>& rows,
                                           const ScanInput& s) {
  const auto mode = rows.find("mode");
  if (mode == rows.end() || (mode->second != "url" && mode->second != "keywords"))
    return "its mode is damaged";
  if (const auto status = rows.find("status");
      status == rows.end() ||
      (status->second != "running" && status->second != "stopped" && status->second != "finished"))
    return "its status is damaged";
  if (const auto refused = firstRefusal(s.values, false))
    return "its setting " + std::string(rowOf(refused->setting).key) + " is damaged (" +
           refused->message + ")";
  if (!s.keywordMode && s.starts.empty() && !isWebUrl(s.base)) return "its base URL is damaged";
  for (const std::string& start : s.starts)
    if (!isWebUrl(start)) return "its list of start URLs is damaged";
  for (const std::string& entry : s.resolve)
    if (checkResolve(entry)) return "its --resolve list is damaged";
  for (const std::string& server : s.dnsServers)
    if (checkDnsServer(server)) return "its --dns-server list is damaged";
  return std::nullopt;
}

}  // namespace

bool JournalFile::read(JournalContents& c, std::string& why) {
  // SQLite reads the missing end of a cut page as zeros, and its check may not notice.
  struct stat info {};
  const long long pageSize = single(db_, "PRAGMA page_size");
  if (const char* path = sqlite3_db_filename(db_, "main");
      path && ::stat(path, &info) == 0 && pageSize > 0 && info.st_size % pageSize != 0) {
    why = "its size is not a whole number of pages: it was cut short";
    return false;
  }
  {
    Statement check(db_, "PRAGMA quick_check");
    if (check.step() != SQLITE_ROW || check.text(0) != "ok") {
      why = check ? (check.text(0).empty() ? sqlite3_errmsg(db_) : check.text(0))
                  : sqlite3_errmsg(db_);
      return false;
    }
  }
  auto failed = [&] {
    why = sqlite3_errmsg(db_);
    return false;
  };
  auto damaged = [&](std::string reason) {
    why = std::move(reason);
    return false;
  };
  std::map<std::string, std::string> rows;
  {
    Statement settings(db_, "SELECT name, value FROM settings");
    int rc;
    while ((rc = settings.step()) == SQLITE_ROW) rows[settings.text(0)] = settings.text(1);
    if (rc != SQLITE_DONE) return failed();
  }
  auto value = [&rows](const std::string& name) {
    const auto found = rows.find(name);
    return found == rows.end() ? std::string() : found->second;
  };
  c.settings.keywordMode = value("mode") == "keywords";
  c.settings.base = value("base");
  c.settings.engine = value("engine");
  c.settings.engineJson = value("engine-json");
  c.settings.starts = split(value("starts"), "\n");
  c.settings.resolve = split(value("resolve"), "\n");
  c.settings.dnsServers = split(value("dns-servers"), "\n");
  for (const SettingRow& row : settingTable())
    if (auto value = settingFromRows(row, rows)) c.settings.values[row.setting] = std::move(*value);
  if (const auto problem = settingsProblem(rows, c.settings)) return damaged(*problem);
  c.status = status();

  // Files of this program keep the number of rows of each table (those of 78a53c3 did not).
  for (const auto& [name, table] : {std::pair{kUrlRows, "urls"}, {kAddressRows, "addresses"}}) {
    if (!rows.contains(name)) continue;
    const long long kept = isNumeric(value(name)) ? static_cast<long long>(val(value(name))) : -1;
    const long long held = single(db_, (std::string("SELECT count(*) FROM ") + table).c_str());
    if (kept != held)
      return damaged("it holds " + std::to_string(held) + " rows of " + table + " where " +
                     std::to_string(kept) + " were written: it was cut short or changed");
  }

  ScanProgress& p = c.progress;
  {
    Statement addresses(db_, "SELECT n, address, page FROM addresses ORDER BY n");
    int rc;
    while ((rc = addresses.step()) == SQLITE_ROW) {
      // Numbered 1, 2, 3... in the order they were found.
      if (addresses.number(0) != static_cast<long long>(p.addresses.size()) + 1 ||
          addresses.text(1).empty() || addresses.text(2).empty())
        return damaged("its address number " + std::to_string(addresses.number(0)) + " is damaged");
      p.addresses.push_back({addresses.number(0), addresses.text(1), addresses.text(2)});
    }
    if (rc != SQLITE_DONE) return failed();
  }
  if (single(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'domains'") > 0) {
    Statement domains(db_, "SELECT name, answer FROM domains ORDER BY name");
    int rc;
    while ((rc = domains.step()) == SQLITE_ROW) {
      const auto answer = answerFromText(domains.text(1));
      if (!answer)
        return damaged("its answer for the domain " + shownValue(domains.text(0)) + " is damaged");
      p.domains.emplace_back(domains.text(0), *answer);
    }
    if (rc != SQLITE_DONE) return failed();
  }
  // The level to go on with: the lowest that still has URLs to read (handed out ones included).
  p.level = single(db_, "SELECT coalesce(min(level), 0) FROM urls WHERE state IN (0, 1)");
  Statement urls(db_,
                 "SELECT url, level, state, reason, unreadable, links, accepted, "
                 "coalesce(seq, 0) FROM urls "
                 "ORDER BY CASE WHEN state IN (2, 3) THEN seq ELSE 0 END, id");
  p.counters = {.extracted = 1, .emails = static_cast<long long>(p.addresses.size())};
  int rc;
  while ((rc = urls.step()) == SQLITE_ROW) {
    std::string url = urls.text(0);
    const long long level = urls.number(1), state = urls.number(2), seq = urls.number(7);
    const bool inDomain =
        !url.empty() && level >= 0 && level <= kMaxDepth + 1 && state >= Queued &&
        state <= OutOfScope && ((state != Queued && state != HandedOut) || queuedLevel(level)) &&
        ((state != HandedOut && state != Read && state != Refused) || seq >= 1) &&
        urls.number(4) >= 0 && urls.number(4) <= 1 && urls.number(5) >= 0 && urls.number(6) >= 0;
    if (!inDomain) return damaged("its record of " + shownValue(url) + " is damaged");
    switch (state) {
      case Queued:
      case HandedOut:
        if (level == p.level) p.levelUrls.push_back(url);
        if (level == p.level + 1) p.nextLevelUrls.push_back(url);
        break;
      case Read:
        p.scanned.push_back(shownUrl(url));
        p.counters.extracted += urls.number(5);
        p.counters.valid += urls.number(6);
        break;
      case Refused:
        p.refused.push_back({shownUrl(url), urls.text(3), urls.number(4) != 0});
        break;
      case OutOfScope:
        ++p.counters.outOfScope;
        break;
      default:
        break;
    }
    p.known.push_back(std::move(url));
  }
  if (rc != SQLITE_DONE) return failed();
  p.counters.processed = static_cast<long long>(p.scanned.size());
  p.counters.refused = static_cast<long long>(p.refused.size());
  if (p.level == 0) p.level = 1;  // nothing left to read
  return true;
}

}  // namespace korvex
