#include "support/test_server.h"

#include <httplib.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace korvex::test {
namespace {

// Nothing a test waits for stalls longer than this.
constexpr std::chrono::milliseconds kLongStall{60'000};
constexpr const char* kStreamType = "application/octet-stream";

}  // namespace

std::string gzipped(const std::string& text) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, text.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = static_cast<uInt>(text.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

Reply Reply::page(std::string body, int status) {
  Reply r;
  r.body = std::move(body);
  r.status = status;
  return r;
}

Reply Reply::redirect(std::string location, int status) {
  Reply r;
  r.status = status;
  r.headers.emplace_back("Location", std::move(location));
  r.body = "<html>moved</html>";
  return r;
}

Reply Reply::stallBeforeHeaders() {
  Reply r;
  r.delay = kLongStall;
  return r;
}

Reply Reply::stallMidBody(std::string body, size_t bytesBeforeStall) {
  Reply r;
  r.body = std::move(body);
  r.mode = Body::StallMidBody;
  r.chunkBytes = bytesBeforeStall;
  return r;
}

Reply Reply::trickle(std::string body, size_t chunkBytes, std::chrono::milliseconds every) {
  Reply r;
  r.body = std::move(body);
  r.mode = Body::Trickle;
  r.chunkBytes = chunkBytes;
  r.every = every;
  return r;
}

TestServer::TestServer() : server_(std::make_unique<httplib::Server>()) {
  server_->new_task_queue = [] { return new httplib::ThreadPool(48); };
  server_->set_keep_alive_timeout(1);
  server_->set_tcp_nodelay(true);
  server_->Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
    handle(req.target, const_cast<httplib::Request*>(&req), &res);
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("test server: cannot bind 127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestServer::~TestServer() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  stopping_.notify_all();
  server_->stop();
  thread_.join();
}

void TestServer::serve(const std::string& target, Reply reply) {
  std::lock_guard lock(mutex_);
  replies_[target] = std::move(reply);
}

std::string TestServer::origin() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}
std::string TestServer::url(const std::string& target) const {
  return origin() + target;
}

int TestServer::hits(const std::string& target) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(requests_.begin(), requests_.end(),
                                        [&](const Request& r) { return r.target == target; }));
}

std::vector<TestServer::Request> TestServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string TestServer::lastHeader(const std::string& target, const std::string& name) const {
  std::lock_guard lock(mutex_);
  for (auto r = requests_.rbegin(); r != requests_.rend(); ++r) {
    if (r->target != target) continue;
    const auto h = r->headers.find(name);
    return h == r->headers.end() ? std::string() : h->second;
  }
  return {};
}

bool TestServer::pause(std::chrono::milliseconds d) {
  std::unique_lock lock(mutex_);
  return !stopping_.wait_for(lock, d, [this] { return stopped_; });
}

void TestServer::handle(const std::string& target, void* request, void* response) {
  auto& res = *static_cast<httplib::Response*>(response);
  auto& req = *static_cast<httplib::Request*>(request);
  Reply reply;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(
        {std::chrono::steady_clock::now(), target, {req.headers.begin(), req.headers.end()}});
    const auto it = replies_.find(target);
    if (it == replies_.end()) {
      res.status = 404;
      res.set_content("<html>not found</html>", "text/html");
      return;
    }
    reply = it->second;
  }
  // Bodies go out as declared unless compression is asked for: the server would otherwise spend
  // seconds compressing large ones.
  if (!reply.gzip) req.headers.erase("Accept-Encoding");
  if (reply.delay.count() > 0 && !pause(reply.delay)) return;
  res.status = reply.status;
  for (const auto& [name, value] : reply.headers) res.set_header(name, value);
  switch (reply.mode) {
    case Reply::Body::Whole:
      res.set_content(reply.body, reply.contentType);
      return;
    case Reply::Body::Trickle:
    case Reply::Body::StallMidBody:
      // A type the server does not compress: compression would hold the chunks back.
      res.set_chunked_content_provider(
          kStreamType, [this, reply, sent = size_t{0}](size_t, httplib::DataSink& sink) mutable {
            if (sent >= reply.body.size()) {
              sink.done();
              return true;
            }
            if (reply.mode == Reply::Body::StallMidBody && (sent > 0 || reply.chunkBytes == 0)) {
              pause(kLongStall);
              return false;
            }
            const size_t n = std::min(reply.chunkBytes, reply.body.size() - sent);
            if (!sink.write(reply.body.data() + sent, n)) return false;
            sent += n;
            return reply.mode == Reply::Body::StallMidBody || pause(reply.every);
          });
      return;
    case Reply::Body::Endless:
      res.set_chunked_content_provider(kStreamType, [this](size_t, httplib::DataSink& sink) {
        static const std::string block(64 * 1024, 'x');
        return sink.write(block.data(), block.size()) && pause(std::chrono::milliseconds(0));
      });
      return;
  }
}

}  // namespace korvex::test
