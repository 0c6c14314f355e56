// A loopback HTTP server for tests: serves the replies a test declares, on 127.0.0.1 and an
// ephemeral port, and can misbehave on demand (stall, trickle, endless bodies, redirects).
// Stopped by its destructor, which also wakes every stalled reply.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

namespace korvex::test {

struct Reply {
  enum class Body { Whole, Trickle, StallMidBody, Endless };
  int status = 200;
  std::string body;
  std::string contentType = "text/html";
  std::vector<std::pair<std::string, std::string>> headers;
  std::chrono::milliseconds delay{0};  // before anything is sent
  Body mode = Body::Whole;
  size_t chunkBytes = 0;  // Trickle: bytes per chunk; StallMidBody: bytes sent before the stall
  std::chrono::milliseconds every{0};  // Trickle: pause between chunks
  bool gzip = false;

  static Reply page(std::string body, int status = 200);
  static Reply redirect(std::string location, int status = 302);
  static Reply stallBeforeHeaders();
  static Reply stallMidBody(std::string body, size_t bytesBeforeStall);
  static Reply trickle(std::string body, size_t chunkBytes, std::chrono::milliseconds every);
};

// A gzip file of the text, as a server sends one that is gzipped on its disk.
std::string gzipped(const std::string& text);

class TestServer {
 public:
  TestServer();
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  // Path with its query, as in the request line: "/a.html", "/search?p=x".
  void serve(const std::string& target, Reply reply);
  std::string url(const std::string& target) const;
  std::string origin() const;  // http://127.0.0.1:PORT
  int port() const { return port_; }
  int hits(const std::string& target) const;
  struct Request {
    std::chrono::steady_clock::time_point at;
    std::string target;
    std::multimap<std::string, std::string> headers;
  };
  // Every request so far, in the order they came.
  std::vector<Request> requests() const;
  // A header of the last request for `target`, "" when none came.
  std::string lastHeader(const std::string& target, const std::string& name) const;

 private:
  void handle(const std::string& target, void* request, void* response);
  // Sleeps up to `d`; false when the server is stopping.
  bool pause(std::chrono::milliseconds d);

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable stopping_;
  bool stopped_ = false;
  std::map<std::string, Reply> replies_;
  std::vector<Request> requests_;
};

}  // namespace korvex::test
