// Journals under the command line: scans killed and resumed, exports, and the faults a journal
// meets.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "support/run_command.h"
#include "support/site.h"

namespace korvex {
namespace {

using testing::HasSubstr;

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Json = nlohmann::json;

using test::cli;

// A folder of the test's own, also the journal folder of every scan it starts.
struct StateFolder {
  StateFolder() {
    fs::remove_all(path);
    fs::create_directories(path);
    setenv("XDG_STATE_HOME", path.c_str(), 1);
  }
  ~StateFolder() { fs::remove_all(path); }
  std::string file(const std::string& name) const { return (path / name).string(); }
  fs::path path = fs::temp_directory_path() / ("korvex-journal-test-" + std::to_string(getpid()));
};

// What must be equal between two runs of one scan: addresses with their pages, URLs read (each
// once), counters.
struct Outcome {
  explicit Outcome(const std::string& json) {
    const Json j = Json::parse(json);
    for (const auto& e : j["emails"])
      emails.insert({e["email"].get<std::string>(), e["url"].get<std::string>()});
    for (const auto& u : j["scanned"]) scanned.push_back(u.get<std::string>());
    std::sort(scanned.begin(), scanned.end());
    counters = j["counters"];
  }
  bool operator==(const Outcome&) const = default;
  std::set<std::pair<std::string, std::string>> emails;
  std::vector<std::string> scanned;
  Json counters;
};

TEST(Journal, ScansKilledAtAnyMomentResumeToTheUninterruptedResult) {
  StateFolder state;
  test::TestServer server;
  test::TreeSite site(server, 3, 3, 10ms);  // 40 pages in four levels
  const std::string scan = "scan --quiet --ignore-robots --format json --threads 2 --depth 3 " +
                           std::string("--url ") + site.rootUrl();
  const auto whole = cli(scan + " --no-journal");
  ASSERT_EQ(whole.status, 0) << whole.err;
  const Outcome expected(whole.out);
  ASSERT_EQ(expected.scanned.size(), 40u);
  // Pages requested before the kill: none (the journal just made), in the first levels, between
  // levels (1, 4, 13), and during the last page.
  for (size_t pages : {0, 1, 2, 4, 6, 13, 17, 25, 33, 39}) {
    SCOPED_TRACE("killed after " + std::to_string(pages) + " pages");
    const std::string journal = state.file(std::to_string(pages) + ".journal");
    const size_t before = server.requests().size();
    const std::string command = "exec " + std::string(KORVEX_CLI) + " " + scan + " --journal " +
                                journal + " >/dev/null 2>&1";
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline &&
           !(pages == 0 ? fs::exists(journal) : server.requests().size() - before >= pages))
      std::this_thread::sleep_for(1ms);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const auto resumed = cli("resume --quiet --format json " + journal);
    ASSERT_EQ(resumed.status, 0) << resumed.err;
    const Outcome got(resumed.out);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(std::set(got.scanned.begin(), got.scanned.end()).size(), got.scanned.size())
        << "each URL read once";
  }
  // Without a file: the newest unfinished journal, which the last resume finished.
  EXPECT_EQ(cli("resume --quiet").status, 1);
}

// A file's bytes; a name without a folder is one of the fixtures.
std::string fixture(const std::string& name) {
  return test::readFile(name.starts_with('/') ? name : std::string(KORVEX_FIXTURES) + "/" + name);
}

void sql(const std::string& path, const char* statement) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, statement, nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

TEST(Journal, ExportAndResumeWriteWhatTheScanWrote) {
  StateFolder state;
  test::TestServer server;
  test::TreeSite site(server, 2, 2);
  const std::string journal = state.file("scan.journal");
  const std::string scan =
      "scan --quiet --threads 1 --delimiter , --journal " + journal + " --url " + site.rootUrl();
  for (const char* format : {"text", "csv", "json"}) {
    SCOPED_TRACE(format);
    fs::remove(journal);
    const auto scanned = cli(scan + " --format " + format + " --output " + state.file("a.txt"));
    ASSERT_EQ(scanned.status, 0) << scanned.err;
    EXPECT_EQ(fs::status(journal).permissions(), fs::perms(0600)) << "it holds the addresses";
    const auto exported =
        cli("export " + journal + " --format " + format + " --output " + state.file("b.txt"));
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, scanned.out);
    const auto finished = cli("resume --quiet " + journal + " --format " + format);
    EXPECT_EQ(finished.out, scanned.out) << "a finished journal only shows its result";
  }
  EXPECT_EQ(fixture(state.file("a.txt")), fixture(state.file("b.txt")));
  const auto again = cli(scan);
  EXPECT_EQ(again.status, 2) << "an existing journal is resumed, not overwritten";
  EXPECT_THAT(again.err, HasSubstr("korvex-cli resume " + journal));
}

TEST(Journal, DamagedForeignAndBusyJournalsAreRefused) {
  StateFolder state;
  test::TestServer server;
  test::TreeSite site(server, 3, 2);
  const std::string good = state.file("good.journal");
  ASSERT_EQ(cli("scan --quiet --journal " + good + " --url " + site.rootUrl()).status, 0);
  auto copy = [&](const std::string& name) {
    fs::copy_file(good, state.file(name));
    return state.file(name);
  };
  auto cutBy = [&](int bytes) {
    const std::string path = copy("cut" + std::to_string(bytes) + ".journal");
    fs::resize_file(path, fs::file_size(path) - bytes);
    return path;
  };
  const std::string cut = cutBy(static_cast<int>(fs::file_size(good) / 2));
  // A value no scan writes, or rows gone: refused, never resumed into a shorter scan.
  auto changed = [&](const std::string& name, const char* statement) {
    const std::string path = copy(name + ".journal");
    sql(path, statement);
    return path;
  };
  const std::string noise = state.file("noise.journal");
  std::ofstream(noise) << std::string(8192, '\x5a');
  const std::string foreign = state.file("foreign.db");
  sql(foreign, "CREATE TABLE t (x)");
  const std::string newer = copy("newer.journal");
  sql(newer, "PRAGMA user_version = 99");
  const std::string busy = copy("busy.journal");
  const int held = open(busy.c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {cut, "malformed"}, {cutBy(1), "cut short"}, {cutBy(10), "cut short"},
      {changed("row", "DELETE FROM urls WHERE id = 3"), "cut short or changed"},
      {changed("level0", "UPDATE urls SET state = 0, level = 0 WHERE id = 2"), "is damaged"},
      {changed("state", "UPDATE urls SET state = 9 WHERE id = 2"), "is damaged"},
      {changed("counter", "UPDATE urls SET links = -3 WHERE id = 2"), "is damaged"},
      {changed("agent", "UPDATE settings SET value = 'x' || char(13, 10) || 'X-Injected: yes' "
                        "WHERE name = 'userAgent'"), "control characters"},
      {noise, "not a database"}, {foreign, "not a Korvex journal"}, {newer, "newer format"},
      {state.file("missing.journal"), "No such file"},
      {busy, "another program is resuming this journal"}};
  // clang-format on
  for (const auto& [file, why] : cases) {
    for (const char* command : {"resume --quiet ", "export "}) {
      if (file == busy && *command == 'e') continue;  // exporting a journal in use is reading it
      SCOPED_TRACE(command + file);
      const auto r = cli(command + file);
      EXPECT_EQ(r.status, 1);
      EXPECT_THAT(r.err, HasSubstr(file + ": "));
      EXPECT_THAT(r.err, HasSubstr(why));
      EXPECT_EQ(r.out, "");
    }
  }
  close(held);
  EXPECT_EQ(cli("resume --quiet " + busy).status, 0) << "the lock ends with its holder";

  // Export only reads: a journal of mode 0400 in a folder that cannot be written (as another
  // user when the test runs as root, whom modes do not stop).
  const fs::path readOnly = state.path / "read-only";
  fs::create_directory(readOnly);
  fs::copy_file(good, readOnly / "j.journal");
  const std::string asUser =
      getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  if (getuid() == 0) {
    ASSERT_EQ(chown(readOnly.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chown((readOnly / "j.journal").c_str(), 65534, 65534), 0);
  }
  fs::permissions(readOnly / "j.journal", fs::perms::owner_read);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
  // A copy of the program where that user can reach it, whatever folder the build is in.
  const fs::path program = state.path / "korvex-cli";
  fs::copy_file(KORVEX_CLI, program);
  const auto exported = test::runCommand(asUser + program.string() + " export --format json " +
                                         (readOnly / "j.journal").string());
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(Json::parse(exported.out)["counters"]["processed"], 13);
  fs::permissions(readOnly, fs::perms::owner_all);
}

TEST(Journal, JournalsOf78a53c3StillExportAndResume) {
  StateFolder state;
  test::TestServer server;
  for (const char* page : {"index.html", "a.html", "b.html", "c.html", "d.html"})
    server.serve(std::string("/") + page,
                 test::Reply::page(fixture(std::string("journal-site/") + page)));
  // Made by that build against the same pages at 127.0.0.1:8799; keys are hashes of the old
  // URLs, which only the writing of a resumed scan looks up.
  auto here = [&](std::string text) {
    for (size_t at; (at = text.find("127.0.0.1:8799")) != std::string::npos;)
      text.replace(at, 14, server.origin().substr(7));
    return text;
  };
  const std::string expected = here(fixture("journal-78a53c3.csv"));
  for (const char* kind : {"finished", "stopped"}) {
    SCOPED_TRACE(kind);
    const std::string journal = state.file(std::string(kind) + ".journal");
    sql(journal, here(fixture("journal-78a53c3-" + std::string(kind) + ".sql")).c_str());
    const auto r =
        cli((*kind == 'f' ? "export --format csv " : "resume --quiet --format csv ") + journal);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
  }
}

// Twenty scans started at once each get a journal of their own; the folder is then listed and
// pruned while a scan writes its journal there.
TEST(Journal, StartedAtOnceThenListedAndPrunedBesideARunningOne) {
  StateFolder state;
  test::TestServer server, slowServer;
  test::TreeSite site(server, 1, 1), slow(slowServer, 3, 3, 300ms);
  std::string twenty;
  for (int i = 0; i < 20; ++i)
    twenty += std::string(KORVEX_CLI) + " scan --url " + site.rootUrl() + " 2>&1 & ";
  const auto r = test::runCommand("bash -c '" + twenty + "wait'");
  EXPECT_EQ(r.out.find("cannot"), std::string::npos) << r.out;
  const fs::path folder = state.path / "korvex/scans";
  const auto count = [&] { return std::distance(fs::directory_iterator(folder), {}); };
  EXPECT_EQ(count(), 20) << "no draft left behind";
  // The longest legal name still has room for the draft beside it.
  const std::string longest = state.file(std::string(255 - 8, 'j') + ".journal");
  EXPECT_EQ(cli("scan --quiet --journal " + longest + " --url " + site.rootUrl()).status, 0);
  EXPECT_TRUE(fs::exists(longest));
  std::ofstream(folder / "2000-01-01_00-00-00.000.journal") << "not a journal";
  const pid_t running = fork();
  if (running == 0) {
    execl(KORVEX_CLI, KORVEX_CLI, "scan", "--quiet", "--depth", "3", "--url",
          slow.rootUrl().c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (count() < 22 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(300ms);  // its first transaction
  const Json listed = Json::parse(cli("journals --format json").out);
  std::multiset<std::string> statuses;
  for (const auto& j : listed)
    statuses.insert(j["status"].get<std::string>() + (j["inUse"] ? "*" : ""));
  EXPECT_EQ(statuses.count("finished"), 20u);
  EXPECT_EQ(statuses.count("running*") + statuses.count("damaged"), 2u);
  EXPECT_EQ(listed[0]["scanned"], slow.rootUrl()) << "newest first";
  const auto pruned = cli("journals --prune 0");
  EXPECT_EQ(pruned.status, 0) << pruned.err;
  EXPECT_EQ(std::count(pruned.out.begin(), pruned.out.end(), '\n'), 20) << pruned.out;
  kill(running, SIGKILL);
  waitpid(running, nullptr, 0);
  std::set<std::string> left;
  for (const auto& f : fs::directory_iterator(folder)) left.insert(f.path().extension());
  EXPECT_EQ(left, (std::set<std::string>{".journal", ".journal-wal", ".journal-shm"}))
      << "the running and the damaged one kept, and only journals in the folder";
}

TEST(Journal, AScanGoesOnWithoutAJournalItCannotWrite) {
  StateFolder state;
  test::TestServer server;
  test::TreeSite site(server, 4, 4);  // 341 pages: a journal larger than the limit below
  const std::string scan = std::string(KORVEX_CLI) + " scan --quiet --ignore-robots --url " +
                           site.rootUrl() + " --depth 4";
  const auto whole =
      cli("scan --quiet --ignore-robots --no-journal --depth 4 --url " + site.rootUrl());
  const struct {
    const char* name;
    std::string command;
    std::string message;
  } cases[] = {
      {"its folder cannot be made", "XDG_STATE_HOME=/dev/null/x " + scan,
       "the journal cannot be created"},
      {"the disk fills",
       "trap '' XFSZ; ulimit -f 48; exec " + scan + " --journal " + state.file("full.journal"),
       "can no longer be written"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = test::runCommand("bash -c \"" + c.command + "\"");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::lineSet(r.out), test::lineSet(whole.out)) << "nothing collected is lost";
    const size_t at = r.err.find(c.message);
    EXPECT_NE(at, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(c.message, at + 1), std::string::npos) << "reported once";
  }
}

}  // namespace
}  // namespace korvex
