// A generated site for crawl benchmarks, with the link forms of real sites. Page N lives at
// /secK/itemN/ (the root page at /); it links to pages 10N+1 to 10N+10 (those below the page
// count) through relative navigation ("../../", "./", dot segments, a climb above the root),
// root-relative and absolute links, to its parent and the root, and to a query variant of itself
// ("./?from=/home&amp;sort=date", the same page); it also carries fragments, tel:, mailto: and
// javascript: links, files of omitted types, and address decoys (lodash@4.17.21, logo@2x.png).
// A page's path with no query or with that query serves the page; anything else is not found.
//
// With FORM "today", the site has today's forms instead: pages with children are folders
// (/secK/itemN/), linked without their "/" by every third parent (the server redirects that
// spelling), the others are pages without extension (/secK/post-N); every page has a second
// page (?page=2, linked relatively); pages link "#top", "#", network-path links to a CDN's
// scripts and to the site itself; every fourth folder has <base href="/"> and spells its
// links from the root; and any unknown path is answered with 200 and the site's layout (logged
// as "catchall"), as many sites do.
//
// With FORM "docs", the classic site's pages also carry what documentation generators write:
// links as escaped markup in script strings (tooltips, a JSON index of the children with its
// "\/" escapes, markup inside a string inside a string), a template string, self-closing tags,
// attributes without spaces between them, spaces around "=", and a code sample of markup. Every
// one of those names a real page or none a browser would request; any unknown path is a 404.
//
// Serves on 127.0.0.1, prints its port, and on SIGTERM writes every request (arrival seconds,
// status and target, one per line).
//   site_server PAGES DELAY_MS LOGFILE [FORM]
#include <httplib.h>
#include <signal.h>

#include <cctype>
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

// What page n of the docs form adds: its children, once more in each form a generator writes.
std::string docsBlock(long n, long pages) {
  std::string body =
      "<link rel=\"search\" href=\"/static/opensearch.xml?q={searchTerms}\"/>\n"
      "<pre><code>&lt;a href=\"example.html\"&gt;an example&lt;/a&gt; "
      "&lt;img src=x.png/&gt;</code></pre>\n"
      "<script>const f = \"app.js\"; document.write(`<link href=\"static.files/${f}\">`);\n";
  std::string index = "{\"children\":[";
  for (long c = 10 * n + 1; c <= 10 * n + 10 && c < pages; ++c) {
    const std::string rooted = "sec" + std::to_string(c % 7) + "/item" + std::to_string(c) + "/";
    const std::string fromHere = (n == 0 ? "" : "../../") + rooted;
    body += "var tip" + std::to_string(c) + " = \"<a class=\\\"struct\\\" href=\\\"" + fromHere +
            "\\\">Item</a>\";\n";
    body += "var deep" + std::to_string(c) + " = \"x = \\\"<a href=\\\\\\\"/" + rooted +
            "\\\\\\\">\\\"\";\n";
    index +=
        (c > 10 * n + 1 ? "," : "") + std::string("\"<a href=\\u0022\\/") + rooted + "\\u0022>\"";
  }
  body += "</script>\n<script type=\"application/json\">" + index + "]}</script>\n";
  if (10 * n + 1 < pages) {
    const std::string first = (n == 0 ? "" : "../../") + std::string("sec") +
                              std::to_string((10 * n + 1) % 7) + "/item" +
                              std::to_string(10 * n + 1) + "/";
    body += "<link rel=\"next\" href=\"" + first + "\"/><a href=\"" + first +
            "\"title=\"first\">First</a>\n<a class=x href = \"" + first + "\"\nid=y>Again</a>\n";
  }
  return body;
}

// Today's form.
struct TodaySite {
  long pages;

  bool folder(long n) const { return n == 0 || 10 * n + 1 < pages; }
  std::string section(long n) const { return "sec" + std::to_string(n % 7) + "/"; }
  // From the root, without the leading "/".
  std::string rooted(long n) const {
    if (n == 0) return "";
    return section(n) +
           (folder(n) ? "item" + std::to_string(n) + "/" : "post-" + std::to_string(n));
  }
  std::string pathOf(long n) const { return "/" + rooted(n); }

  std::string childHref(long n, long c, bool fromRoot, const std::string& host) const {
    if (fromRoot || n == 0) return rooted(c);
    if (c % 5 == 4) return "//" + host + pathOf(c);
    const std::string href = "../../" + rooted(c);
    return folder(c) && c % 3 == 0 ? href.substr(0, href.size() - 1) : href;  // redirected
  }

  std::string page(long n, bool second, const std::string& host) const {
    const bool fromRoot = n % 4 == 2 && folder(n);
    std::string body =
        "<html><head><title>Item " + std::to_string(n) + "</title>" +
        (fromRoot ? "<base href=\"/\">" : "") +
        "<link href=\"//cdn.invalid/site.css\" rel=stylesheet>"
        "<script src=\"//cdn.invalid/app.js\"></script></head><body>\n"
        "<nav><a href=\"/\">Home</a> <a href=\"#top\">Top</a> <a href=\"#\">Menu</a> "
        "<a href=\"" +
        (n == 0 ? "/" : pathOf((n - 1) / 10)) +
        "\">Up</a></nav>\n"
        "<h1 id=top>Item " +
        std::to_string(n) + "</h1><p>Write to contact" + std::to_string(n) +
        "@site.test.</p>\n<ul>";
    const long first = 10 * n + 1 + (second ? 5 : 0);
    for (long c = first; c < first + 5 && c < pages; ++c)
      body += "<li><a href=\"" + childHref(n, c, fromRoot, host) + "\">Item " + std::to_string(c) +
              "</a></li>\n";
    body += "</ul>";
    if (!second) {
      body += "<a href=\"" + (fromRoot ? rooted(n) : std::string()) + "?page=2\">Next</a>";
    } else {
      body += "<a href=\"" +
              (fromRoot    ? rooted(n)
               : folder(n) ? "./"
                           : "post-" + std::to_string(n)) +
              "\">Back</a>";
    }
    return body + "</body></html>\n";
  }

  std::string layout() const {
    return "<html><body><nav><a href=\"/\">Home</a> <a href=\"about\">About</a></nav>"
           "<p>Nothing here.</p></body></html>\n";
  }

  // The page number of a path, or -1.
  long pageAt(const std::string& path) const {
    const size_t item = path.find("/item");
    const size_t post = path.find("/post-");
    if (path == "/") return 0;
    const size_t at = item != std::string::npos   ? item + 5
                      : post != std::string::npos ? post + 6
                                                  : 0;
    if (at == 0 || at >= path.size() || !std::isdigit(static_cast<unsigned char>(path[at])))
      return -1;
    const long n = std::stol(path.substr(at));
    return n < pages ? n : -1;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: site_server PAGES DELAY_MS LOGFILE [classic|today|docs]\n");
    return 2;
  }
  const long pages = std::stol(argv[1]);
  const bool today = argc == 5 && std::string(argv[4]) == "today";
  const bool docs = argc == 5 && std::string(argv[4]) == "docs";
  const auto delay = std::chrono::milliseconds(std::stol(argv[2]));
  const std::string logFile = argv[3];
  std::mutex mutex;
  struct Request {
    double at;
    std::string status;
    std::string target;
  };
  std::vector<Request> requests;
  requests.reserve(static_cast<size_t>(pages) * 2 + 16);
  const auto start = std::chrono::steady_clock::now();

  httplib::Server svr;
  server = &svr;
  svr.new_task_queue = [] { return new httplib::ThreadPool(32); };
  svr.set_tcp_nodelay(true);  // no Nagle wait between the headers and the body
  auto record = [&](double at, std::string status, const std::string& target) {
    std::lock_guard lock(mutex);
    requests.push_back({at, std::move(status), target});
  };
  auto now = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  const TodaySite site{pages};
  if (today) {
    svr.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
      const double at = now();
      if (delay.count() > 0) std::this_thread::sleep_for(delay);
      const long n = site.pageAt(req.path);
      const std::string query =
          req.target.substr(std::min(req.target.find('?'), req.target.size()));
      if (n >= 0 && site.folder(n) && n > 0 && req.path + "/" == site.pathOf(n) && query.empty()) {
        res.set_redirect(site.pathOf(n), 301);
        return record(at, "301", req.target);
      }
      if (n < 0 || site.pathOf(n) != req.path || (!query.empty() && query != "?page=2")) {
        res.set_content(site.layout(), "text/html");
        return record(at, "catchall", req.target);
      }
      res.set_content(site.page(n, !query.empty(), req.get_header_value("Host")), "text/html");
      record(at, "200", req.target);
    });
  }
  svr.Get(R"(/(sec\d+/item(\d+)/)?)", [&](const httplib::Request& req, httplib::Response& res) {
    const double at = now();
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
    const long n = req.matches[2].length() ? std::stol(req.matches[2]) : 0;
    const std::string query = req.target.substr(std::min(req.target.find('?'), req.target.size()));
    if (n >= pages || pathOf(n) != req.path || (!query.empty() && query != kVariant)) {
      res.status = 404;
    } else {
      std::string body = page(n, pages, req.get_header_value("Host"));
      if (docs) body.insert(body.rfind("</body>"), docsBlock(n, pages));
      res.set_content(body, "text/html");
    }
    record(at, res.status == 404 ? "404" : "200", req.target);
  });
  svr.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
    res.status = 404;
    record(now(), "404", req.target);
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
