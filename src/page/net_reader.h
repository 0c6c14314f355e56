// One HTTP connection on libcurl: fetches a URL and hands its decoded body over in chunks.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace korvex {

// Bounds of every read, whatever the caller's own time limit.
inline constexpr long kMaxRedirections = 10;
// A host that does not accept the connection within this time cannot be opened.
inline constexpr std::chrono::seconds kConnectTimeout{30};

class HttpConnection {
 public:
  // Returns whether the reader wants more: false ends the read with what it has.
  using ChunkSink = std::function<bool(std::string_view chunk)>;
  using KeepGoing = std::function<bool()>;

  // nullptr when libcurl cannot give a handle.
  static std::unique_ptr<HttpConnection> open(std::string_view agent);
  ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  // Reads url (http and https only, also for every redirection). keepGoing is asked at least
  // once a second, also while nothing arrives. Returns false when the URL could not be opened
  // (no response at all, a refused scheme, too many redirections).
  bool fetch(const std::string& url, const ChunkSink& sink, const KeepGoing& keepGoing);

 private:
  HttpConnection(CURL* handle, curl_slist* headers) : handle_(handle), headers_(headers) {}
  CURL* handle_;
  curl_slist* headers_;
};

}  // namespace korvex
