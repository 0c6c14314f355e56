// Hostile pages against korvex-cli, next to a plain page of ordinary HTML of the same size:
//   hostile_bench KORVEX_CLI [MIB]   (default 16)
// Serves every case on loopback, runs korvex-cli on it in a process of its own, and prints its
// rate (MB/s of page) and its peak memory, both also as ratios to the plain page's.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "hostile_pages.h"
#include "support/test_server.h"

extern char** environ;

namespace {

struct Run {
  double seconds;
  double peakMiB;
};

// The child's peak comes from /usr/bin/time: a process spawned straight from this one would
// count this one's pages (the cases it serves) as its own until it execs.
Run runCli(std::vector<std::string> args) {
  char peakFile[] = "/tmp/hostile-peak-XXXXXX";
  close(mkstemp(peakFile));
  args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::exit(1);
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  std::ifstream peak(peakFile);
  double kib = 0;
  peak >> kib;
  unlink(peakFile);
  return {seconds, kib / 1024};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: hostile_bench KORVEX_CLI [MIB]\n");
    return 2;
  }
  const std::string cli = argv[1];
  const size_t bytes = (argc > 2 ? std::stoul(argv[2]) : 16) << 20;
  korvex::test::TestServer server;
  std::vector<std::string> keywordArgs;
  for (const auto& k : korvex::bench::hostileKeywords(1000)) {
    keywordArgs.push_back("--page-must");
    keywordArgs.push_back(k);
  }
  std::printf("| case | MB/s | of plain | peak MiB | of plain |\n|---|---|---|---|---|\n");
  Run plain{};
  int n = 0;
  for (const auto& page : korvex::bench::hostilePages(bytes)) {
    const std::string path = "/case" + std::to_string(n++);
    server.serve(path, korvex::test::Reply::page(page.body));
    std::vector<std::string> args{cli};
    switch (page.scanner) {
      case korvex::bench::Scanner::Page:
        args.insert(args.end(), {"page", server.url(path), "--format", "json"});
        break;
      case korvex::bench::Scanner::Keywords:
        // The page rules apply from level 2: a start page leads to the case.
        server.serve("/start", korvex::test::Reply::page("<a href=\"" + path + "\">x</a>"));
        args.insert(args.end(), {"scan", "--url", server.url("/start"), "--depth", "1", "--threads",
                                 "1", "--quiet", "--format", "json"});
        args.insert(args.end(), keywordArgs.begin(), keywordArgs.end());
        break;
      case korvex::bench::Scanner::ResultPage:
        server.serve("/search?p=x", korvex::test::Reply::page(page.body));
        args.insert(args.end(), {"scan", "--keywords", "x", "--engine", server.origin(), "--depth",
                                 "1", "--threads", "1", "--quiet"});
        break;
    }
    const Run r = runCli(args);
    if (n == 1) plain = r;
    const double rate = static_cast<double>(page.body.size()) / 1e6 / r.seconds;
    const double plainRate = static_cast<double>(bytes) / 1e6 / plain.seconds;
    std::printf("| %s | %.0f | %.2f | %.1f | %.2f |\n", page.name.c_str(), rate, rate / plainRate,
                r.peakMiB, r.peakMiB / plain.peakMiB);
    std::fflush(stdout);
  }
  // Scans with their journals: one page of distinct addresses, and ten such pages (distinct from
  // each other) read by ten workers at once.
  std::string links;
  for (int i = 0; i < 10; ++i) {
    const std::string path = "/addresses" + std::to_string(i);
    server.serve(path, korvex::test::Reply::page(
                           korvex::bench::distinctAddresses(bytes, "p" + std::to_string(i) + "x")));
    links += "<a href=\"" + path + "\">x</a>";
  }
  server.serve("/ten", korvex::test::Reply::page(links));
  const std::string journals = "/tmp/korvex-hostile-journals";
  setenv("XDG_STATE_HOME", journals.c_str(), 1);
  std::printf("\n| scan with its journal | seconds | peak MiB |\n|---|---|---|\n");
  for (const auto& [name, url, depth] :
       {std::tuple{"one page of distinct addresses", server.url("/addresses0"), "1"},
        {"ten such pages, ten workers", server.url("/ten"), "2"}}) {
    const Run r = runCli({cli, "scan", "--url", url, "--depth", depth, "--threads", "10", "--quiet",
                          "--format", "json"});
    std::printf("| %s | %.1f | %.1f |\n", name, r.seconds, r.peakMiB);
    std::fflush(stdout);
  }
  std::filesystem::remove_all(journals);
  return 0;
}
