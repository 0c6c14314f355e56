// A generated site for crawl benchmarks: page N links to pages 10N+1 to 10N+10 (those below the
// page count), to its parent and to the root, and shows one address. Serves on 127.0.0.1, prints
// its port, and on SIGTERM writes the arrival time of every request (seconds, one per line).
//   site_server PAGES DELAY_MS LOGFILE
#include <httplib.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

httplib::Server* server = nullptr;

void onTerm(int) {
  if (server) server->stop();
}

std::string page(long n, long pages) {
  std::string body = "<html><head><title>Page " + std::to_string(n) +
                     "</title></head><body><h1>Section " + std::to_string(n) +
                     "</h1><p>Contact user" + std::to_string(n) +
                     "@site.test for details about our products and services.</p>\n"
                     "<a href=\"/\">Home</a> <a href=\"/p/" +
                     std::to_string(n > 0 ? (n - 1) / 10 : 0) + ".html\">Up</a>\n<ul>";
  for (long c = 10 * n + 1; c <= 10 * n + 10 && c < pages; ++c)
    body += "<li><a href=\"/p/" + std::to_string(c) + ".html\">Item " + std::to_string(c) +
            "</a></li>\n";
  return body + "</ul></body></html>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: site_server PAGES DELAY_MS LOGFILE\n");
    return 2;
  }
  const long pages = std::stol(argv[1]);
  const auto delay = std::chrono::milliseconds(std::stol(argv[2]));
  const std::string logFile = argv[3];
  std::mutex mutex;
  std::vector<double> arrivals;
  arrivals.reserve(static_cast<size_t>(pages) + 16);
  const auto start = std::chrono::steady_clock::now();

  httplib::Server svr;
  server = &svr;
  svr.new_task_queue = [] { return new httplib::ThreadPool(32); };
  svr.set_tcp_nodelay(true);  // no Nagle wait between the headers and the body
  svr.Get(R"(/(p/(\d+)\.html)?)", [&](const httplib::Request& req, httplib::Response& res) {
    {
      std::lock_guard lock(mutex);
      arrivals.push_back(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
    const long n = req.matches[2].length() ? std::stol(req.matches[2]) : 0;
    res.set_content(page(n, pages), "text/html");
  });
  signal(SIGTERM, onTerm);
  const int port = svr.bind_to_any_port("127.0.0.1");
  std::printf("%d\n", port);
  std::fflush(stdout);
  svr.listen_after_bind();
  std::ofstream log(logFile);
  for (double t : arrivals) log << t << "\n";
  return 0;
}
