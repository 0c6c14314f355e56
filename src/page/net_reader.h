// One HTTP connection on libcurl: fetches a URL and hands its decoded body over in chunks.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Bounds of every read, whatever the caller's own time limit.
inline constexpr long kMaxRedirections = 10;
// A host that does not accept the connection within this time cannot be opened.
inline constexpr std::chrono::seconds kConnectTimeout{30};

// What every connection of a scan is made with.
struct ConnectionSettings {
  std::string agent;
  // "HOST:PORT:ADDRESS" entries, as curl's --resolve: the host is reached at that address.
  std::vector<std::string> resolve;
};

struct FetchOutcome {
  bool opened = false;
  std::string failure;  // why it was not opened, or why the read ended early
  bool stoppedByReader = false;
  std::string effectiveUrl;          // the URL finally read, after redirections
  long status = 0;                   // of the final response; 0 when none came
  std::string retryAfter;            // its Retry-After header, as sent
  std::string contentType;           // its Content-Type, as sent
  bool tooManyRedirections = false;  // more than kMaxRedirections, or a loop: not opened
};

class HttpConnection {
 public:
  // Returns whether the reader wants more: false ends the read with what it has.
  using ChunkSink = std::function<bool(std::string_view chunk)>;
  using KeepGoing = std::function<bool()>;
  // Told the body's announced length (when the server gives one) before its first chunk.
  using SizeHint = std::function<void(size_t announced)>;
  // Asked before each redirection is followed, with its absolute target.
  using FollowRedirection = std::function<bool(const std::string& target)>;

  struct Opened {
    std::unique_ptr<HttpConnection> connection;  // nullptr when it could not be made
    std::string failure;
  };
  static Opened open(const ConnectionSettings& settings);
  ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  // Reads url (http and https only, also for every redirection, of which it follows at most
  // kMaxRedirections, each when `follow` agrees). keepGoing is asked at least once a second,
  // also while nothing arrives. Not opened: no response at all, a refused scheme, too many
  // redirections.
  FetchOutcome fetch(const std::string& url, const ChunkSink& sink, const KeepGoing& keepGoing,
                     const SizeHint& sizeHint, const FollowRedirection& follow = {});

 private:
  HttpConnection(CURL* handle, curl_slist* headers, curl_slist* resolve)
      : handle_(handle), headers_(headers), resolve_(resolve) {}
  // One request; a redirection's target in `target`, its body dropped.
  FetchOutcome fetchOnce(const std::string& url, const ChunkSink& sink, const KeepGoing& keepGoing,
                         const SizeHint& sizeHint, std::string& target);
  CURL* handle_;
  curl_slist* headers_;
  curl_slist* resolve_;
  char error_[CURL_ERROR_SIZE] = {};
};

// Why no connection with every bound in place can be made here (libcurl refusing an option
// that a bound depends on), or nothing. Front ends ask once at start-up and refuse to run.
std::optional<std::string> httpStartupProblem();

}  // namespace korvex
