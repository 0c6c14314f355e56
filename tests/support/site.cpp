#include "support/site.h"

namespace korvex::test {

namespace {

std::string emailOf(const std::string& path) {
  std::string name = "root";
  if (path != "/") {
    name = "p";
    for (char c : path)
      if (c >= '0' && c <= '9') name += c;
  }
  return name + "@site.test";
}

}  // namespace

TreeSite::TreeSite(TestServer& server, int fanOut, int height, std::chrono::milliseconds delay)
    : server_(server) {
  std::vector<Page> frontier{{"/", 0}};
  while (!frontier.empty()) {
    std::vector<Page> next;
    for (const Page& p : frontier) {
      pages_.push_back(p);
      // Links as real pages spell them, with the decoys real pages carry.
      std::string body =
          "<html><head><script src=\"/npm/lodash@4.17.21/lodash.min.js\"></script></head>"
          "<body><img src=\"/img/logo@2x.png\"><p>Contact " +
          emailOf(p.path) + " today (jquery@3.6.0).</p>\n";
      body +=
          "<a href=\"/\">home</a> <a href=\"./#top\">top</a> <a href=\"tel:+1-555-0100\">call</a>"
          " <a href=\"javascript:void(0)\">menu</a>\n";
      const std::string stem = p.path == "/" ? "/n" : p.path.substr(0, p.path.size() - 5);
      for (int c = 0; c < fanOut && p.depth < height; ++c) {
        const std::string child = stem + "-" + std::to_string(c) + ".html";
        const std::string relative = child.substr(1);
        body += "<a href=\"" + relative + "\">child</a> <a href='./x/../" + relative +
                "#more'>again</a> <a href=\"../" + relative + "\">up and back</a>\n";
        next.push_back({child, p.depth + 1});
      }
      body += "</body></html>";
      Reply reply = Reply::page(body);
      reply.delay = delay;
      server_.serve(p.path, reply);
    }
    frontier = std::move(next);
  }
}

std::set<std::string> TreeSite::emailsWithin(int depth) const {
  std::set<std::string> out;
  for (const Page& p : pages_)
    if (p.depth <= depth) out.insert(emailOf(p.path));
  return out;
}

size_t TreeSite::pagesWithin(int depth) const {
  return emailsWithin(depth).size();
}

}  // namespace korvex::test
