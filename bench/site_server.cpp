// A generated site for crawl benchmarks, with the link forms of real sites. Page N lives at
// /secK/itemN/ (the root page at /); it links to pages 10N+1 to 10N+10 (those below the page
// count) through relative navigation ("../../", "./", dot segments, a climb above the root),
// root-relative and absolute links, to its parent and the root, and to a query variant of itself
// ("./?from=/home&amp;sort=date", the same page); it also carries fragments, tel:, mailto: and
// javascript: links, files of omitted types, and address decoys (lodash@4.17.21, logo@2x.png).
// A page's path with no query or with that query serves the page; anything else is not found.
// Serves on 127.0.0.1, prints its port, and on
// SIGTERM writes every request (arrival seconds, status and target, one per line).
//   site_server PAGES DELAY_MS LOGFILE
#include <httplib.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

httplib::Server* server = nullptr;
// The query of each page's variant, as the client sends it.
const std::string kVariant = "?from=/home&sort=date";

void onTerm(int) {
  if (server) server->stop();
}

std::string pathOf(long n) {
  return n == 0 ? "/" : "/sec" + std::to_string(n % 7) + "/item" + std::to_string(n) + "/";
}

// How page n spells its link to child c; every spelling names the same page.
std::string childHref(long n, long c, const std::string& host) {
  const std::string tail = "sec" + std::to_string(c % 7) + "/item" + std::to_string(c) + "/";
  switch (c % 5) {
    case 0:
      return "../../" + tail;
    case 1:
      return "/" + tail + "#reviews";
    case 2:
      return "./../../sec" + std::to_string(c % 7) + "/./item" + std::to_string(c) + "/";
    case 3:
      return (n == 0 ? "" : "../../../../") + tail;
    default:
      return "http://" + host + "/" + tail;
  }
}

std::string page(long n, long pages, const std::string& host) {
  const std::string num = std::to_string(n);
  const long parent = n > 0 ? (n - 1) / 10 : 0;
  std::string body =
      "<html><head><title>Item " + num +
      "</title><link href=\"/static/site.css\" rel=stylesheet>"
      "<script src=\"/npm/lodash@4.17.21/lodash.min.js\"></script></head><body>\n"
      "<nav><a href=\"/\">Home</a> <a href=\"./#content\">Skip</a> <a href=\"" +
      (n == 0 ? std::string("./") : "../../" + pathOf(parent).substr(1)) +
      "\">Up</a> <a href=\"./?from=/home&amp;sort=date\">Newest first</a> "
      "<a href=\"javascript:void(0)\">Menu</a></nav>\n"
      "<img src=\"/img/logo@2x.png\" alt=logo><h1 id=content>Section " +
      num + "</h1><p>Contact contact" + num +
      "@site.test for details about our products (built with jquery@3.6.0).</p>\n"
      "<p><a href=\"tel:+15550100\">Call us</a> <a href=\"mailto:info@site.test\">Mail</a> "
      "<a href=\"/files/brochure.pdf\">Brochure</a> <a href=\"logo.png\">Logo</a></p>\n<ul>";
  for (long c = 10 * n + 1; c <= 10 * n + 10 && c < pages; ++c)
    body +=
        "<li><a href=\"" + childHref(n, c, host) + "\">Item " + std::to_string(c) + "</a></li>\n";
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
  struct Request {
    double at;
    int status;
    std::string target;
  };
  std::vector<Request> requests;
  requests.reserve(static_cast<size_t>(pages) * 2 + 16);
  const auto start = std::chrono::steady_clock::now();

  httplib::Server svr;
  server = &svr;
  svr.new_task_queue = [] { return new httplib::ThreadPool(32); };
  svr.set_tcp_nodelay(true);  // no Nagle wait between the headers and the body
  svr.Get(R"(/(sec\d+/item(\d+)/)?)", [&](const httplib::Request& req, httplib::Response& res) {
    const double at =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
    const long n = req.matches[2].length() ? std::stol(req.matches[2]) : 0;
    const std::string query = req.target.substr(std::min(req.target.find('?'), req.target.size()));
    if (n >= pages || pathOf(n) != req.path || (!query.empty() && query != kVariant)) {
      res.status = 404;
    } else {
      res.set_content(page(n, pages, req.get_header_value("Host")), "text/html");
    }
    std::lock_guard lock(mutex);
    requests.push_back({at, res.status == 404 ? 404 : 200, req.target});
  });
  signal(SIGTERM, onTerm);
  const int port = svr.bind_to_any_port("127.0.0.1");
  std::printf("%d\n", port);
  std::fflush(stdout);
  svr.listen_after_bind();
  std::ofstream log(logFile);
  for (const Request& r : requests) log << r.at << " " << r.status << " " << r.target << "\n";
  return 0;
}
