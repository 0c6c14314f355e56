// The same crawl through the window (offscreen) and through korvex-cli, in one run:
//   window_bench URL KORVEX_CLI DEPTH
// Prints pages per second of each, how long the window's event loop takes to answer an event
// posted from another thread during the crawl, the CPU the process uses in 10 s of a paused
// scan, and, with 100,000 addresses in the grid, how long the filter takes to answer a key, how
// long a sort takes, and the memory the rows cost.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "message_boxes.h"
#include "ui/frm_korvex.h"
#include "ui/widget_window.h"
#include "window/scan_control.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

struct CliRun {
  long pages;
  double seconds;
  long peakKiB;
  long peakPrivateKiB;
  double cpuSeconds;
};

// The memory of a process that is its own (RssAnon): the libraries' code, which every program
// using them shares, left out.
long privateKiB(const std::string& pid) {
  std::ifstream status("/proc/" + pid + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("RssAnon:")) return std::stol(line.substr(8));
  return 0;
}

// The peak memory of a command.
long peakKiBOf(const std::string& command) {
  const std::string timed = "/usr/bin/time -f %M -o /tmp/korvex-window-bench-peak " + command;
  if (std::system(timed.c_str()) != 0) return 0;
  long peak = 0;
  std::ifstream("/tmp/korvex-window-bench-peak") >> peak;
  return peak;
}

// Runs korvex-cli: the pages it processed, the seconds it took, its peak memory, and its peak
// private memory (sampled every 10 ms).
CliRun cliCrawl(const std::string& cli, const std::string& url, int depth) {
  const std::string out = "/tmp/korvex-window-bench-out";
  const std::string command = "exec /usr/bin/time -f '%M %U %S' -o /tmp/korvex-window-bench-peak " +
                              cli + " scan --quiet --format json --threads 10 --max-pages 100000" +
                              " --depth " + std::to_string(depth) + " --url " + url + " >" + out;
  const auto start = Clock::now();
  const pid_t shell = fork();
  if (shell == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  long peakPrivate = 0;
  std::string child;  // time's own child, korvex-cli
  for (int status = 0; waitpid(shell, &status, WNOHANG) == 0;) {
    if (child.empty())
      std::ifstream("/proc/" + std::to_string(shell) + "/task/" + std::to_string(shell) +
                    "/children") >>
          child;
    if (!child.empty()) peakPrivate = std::max(peakPrivate, privateKiB(child));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const double elapsed = seconds(Clock::now() - start);
  std::ifstream in(out);
  const std::string json(std::istreambuf_iterator<char>(in), {});
  const size_t at = json.find("\"processed\":");
  long peak = 0;
  double user = 0, system = 0;
  std::ifstream("/tmp/korvex-window-bench-peak") >> peak >> user >> system;
  return {at == std::string::npos ? 0 : std::stol(json.substr(at + 12)), elapsed, peak, peakPrivate,
          user + system};
}

// As a user waits for a scan to end: the window's timers go on.
// (processEvents with a time limit drops WaitForMoreEvents: a loop of it would spin a core.)
void untilTheScanEnds(korvex::ui::frmKorvex& form) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (!form.scanning()) loop.quit();
  });
  check.start(50);
  loop.exec();
}

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// 100,000 addresses on 5,000 domains, shown as a journal's results are.
void largeResults(korvex::ui::frmKorvex& form) {
  constexpr int kRows = 100000;
  malloc_trim(0);
  const long before = residentKiB();
  korvex::ScanProgress kept;
  for (int i = 1; i <= kRows; ++i) {
    const std::string domain = "domain" + std::to_string(i % 5000) + ".example";
    kept.addresses.push_back(
        {i, "user" + std::to_string(i) + "@" + domain,
         "http://www." + domain + "/people/page" + std::to_string(i) + ".html"});
  }
  const auto shown = Clock::now();
  form.control().showResults(kept);
  form.window().flush();
  QApplication::processEvents();
  const double fillSeconds = seconds(Clock::now() - shown);
  kept = {};
  malloc_trim(0);  // what was freed is not the window's
  const long after = residentKiB();

  auto* filter = form.findChild<QLineEdit*>("txtFilter");
  std::vector<double> keys;
  for (const char* typed : {"user12@domain4", "PAGE99", "example/people", "zzz"}) {
    for (const char* c = typed; *c; ++c) {
      const auto t0 = Clock::now();
      filter->insert(QString(QChar::fromLatin1(*c)));
      QApplication::processEvents();
      keys.push_back(seconds(Clock::now() - t0) * 1e3);
    }
    while (!filter->text().isEmpty()) {
      const auto t0 = Clock::now();
      filter->backspace();
      QApplication::processEvents();
      keys.push_back(seconds(Clock::now() - t0) * 1e3);
    }
  }
  auto* grid = form.findChild<QTableView*>("flxDetails");
  double slowestSort = 0;
  for (const auto& [column, order] : {std::pair{1, Qt::AscendingOrder},
                                      {2, Qt::DescendingOrder},
                                      {0, Qt::DescendingOrder},
                                      {0, Qt::AscendingOrder}}) {
    const auto t0 = Clock::now();
    grid->sortByColumn(column, order);
    QApplication::processEvents();
    slowestSort = std::max(slowestSort, seconds(Clock::now() - t0));
  }
  std::printf("- 100,000 addresses in the grid: shown in %.2f s; %.1f MiB more memory\n",
              fillSeconds, static_cast<double>(after - before) / 1024);
  std::printf("- filter, %zu keys typed and erased: median %.1f ms, p99 %.1f ms, max %.1f ms\n",
              keys.size(), percentile(keys, 0.5), percentile(keys, 0.99), percentile(keys, 1.0));
  std::printf("- slowest of four sorts: %.2f s\n", slowestSort);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: window_bench URL KORVEX_CLI DEPTH\n";
    return 2;
  }
  const std::string url = argv[1];
  const int depth = std::atoi(argv[3]);
  const auto [cliPages, cliSeconds, cliPeakKiB, cliPeakPrivateKiB, cliCpu] =
      cliCrawl(argv[2], url, depth);
  const long cliIdleKiB = peakKiBOf(std::string(argv[2]) + " --version >/dev/null");

  korvex::ui::frmKorvex form([] { return true; });
  form.show();
  // Answers the confirmation and the Stop question; off while the paused scan is measured, as
  // its polling would be most of what is measured.
  auto boxes = std::make_unique<korvex::test::MessageBoxes>();
  form.findChild<QLineEdit*>("txtBaseURL")->setText(QString::fromStdString(url));
  form.findChild<QComboBox*>("cboDepth")->setCurrentText(QString::number(depth));
  form.findChild<QComboBox*>("cboThreads")->setCurrentText(QStringLiteral("10"));
  form.findChild<QLineEdit*>("txtNoOfPages")->setText(QStringLiteral("100000"));
  auto* start = form.findChild<QPushButton*>("cmdScan");
  QApplication::processEvents();
  const long idleKiB = residentKiB();

  // Latency probe: another thread posts an event every 10 ms and the main thread notes how long
  // it waited.
  std::mutex mutex;
  std::vector<double> latencies;
  std::atomic<bool> probing{true};
  QObject receiver;
  std::atomic<long> windowPeakPrivateKiB{0};
  std::thread prober([&] {
    while (probing) {
      windowPeakPrivateKiB = std::max(windowPeakPrivateKiB.load(), privateKiB("self"));
      const auto posted = Clock::now();
      QMetaObject::invokeMethod(
          &receiver,
          [&, posted] {
            std::lock_guard lock(mutex);
            latencies.push_back(seconds(Clock::now() - posted) * 1e3);
          },
          Qt::QueuedConnection);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  double windowSeconds = 0, windowCpu = 0;
  QTimer::singleShot(0, [&] {
    const auto t0 = Clock::now();
    const double cpu0 = cpuSeconds();
    start->click();
    untilTheScanEnds(form);
    windowSeconds = seconds(Clock::now() - t0);
    windowCpu = cpuSeconds() - cpu0;
    probing = false;
    app.quit();
  });
  app.exec();
  prober.join();
  form.window().flush();
  const long windowPages = form.findChild<QLineEdit*>("txtNoOfURLs")->text().toLong();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const long windowPeakKiB = usage.ru_maxrss;

  // A paused scan: CPU over 10 s, from 1 s after Pause (the pages in hand have ended by then).
  double pausedCpu = 0;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(500, [&] {
      form.findChild<QPushButton*>("cmdPause")->click();
      QTimer::singleShot(1000, [&] {
        boxes.reset();
        const double before = cpuSeconds();
        QTimer::singleShot(10000, [&, before] {
          pausedCpu = cpuSeconds() - before;
          boxes = std::make_unique<korvex::test::MessageBoxes>();
          form.findChild<QPushButton*>("cmdStop")->click();
          untilTheScanEnds(form);
          app.quit();
        });
      });
    });
    start->click();
  });
  app.exec();

  const double cliRate = static_cast<double>(cliPages) / cliSeconds;
  const double windowRate = static_cast<double>(windowPages) / windowSeconds;
  std::printf("- korvex-cli: %ld pages in %.2f s = %.0f pages/s\n", cliPages, cliSeconds, cliRate);
  std::printf("- window:     %ld pages in %.2f s = %.0f pages/s (%.0f%% of korvex-cli)\n",
              windowPages, windowSeconds, windowRate, 100 * windowRate / cliRate);
  std::printf(
      "- CPU per 1,000 pages: window %.3f s, korvex-cli %.3f s (%.2fx)\n",
      1000 * windowCpu / static_cast<double>(windowPages),
      1000 * cliCpu / static_cast<double>(cliPages),
      (windowCpu / static_cast<double>(windowPages)) / (cliCpu / static_cast<double>(cliPages)));
  std::printf(
      "- event loop answer during the crawl: %zu probes, median %.2f ms, p99 %.2f ms, "
      "max %.2f ms\n",
      latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.99),
      percentile(latencies, 1.0));
  std::printf("- paused scan: %.3f s of CPU in 10 s\n", pausedCpu);
  std::printf("- peak memory after the crawl: window %.1f MiB, korvex-cli %.1f MiB (%.2fx)\n",
              windowPeakKiB / 1024.0, cliPeakKiB / 1024.0,
              static_cast<double>(windowPeakKiB) / static_cast<double>(cliPeakKiB));
  std::printf(
      "- memory the crawl added: window %.1f MiB (%.1f MiB before Start), korvex-cli %.1f MiB "
      "(%.1f MiB to start) (%.2fx)\n",
      (windowPeakKiB - idleKiB) / 1024.0, idleKiB / 1024.0, (cliPeakKiB - cliIdleKiB) / 1024.0,
      cliIdleKiB / 1024.0,
      static_cast<double>(windowPeakKiB - idleKiB) / static_cast<double>(cliPeakKiB - cliIdleKiB));
  std::printf(
      "- peak private memory (RssAnon, no library code): window %.1f MiB, korvex-cli %.1f "
      "MiB (%.2fx)\n",
      windowPeakPrivateKiB / 1024.0, cliPeakPrivateKiB / 1024.0,
      static_cast<double>(windowPeakPrivateKiB) / static_cast<double>(cliPeakPrivateKiB));
  largeResults(form);
  return 0;
}
