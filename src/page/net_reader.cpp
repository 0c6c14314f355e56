#include "page/net_reader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/shown_url.h"
#include "base/text.h"

namespace korvex {
namespace {

constexpr char kRefusedScheme[] = "refused scheme (only http and https are read): ";

struct Transfer {
  CURL* handle;
  const HttpConnection::ChunkSink* sink;
  const HttpConnection::KeepGoing* keepGoing;
  const HttpConnection::SizeHint* sizeHint;
  bool received = false;
  bool redirection = false;  // the body is that of a redirection: dropped
  bool stoppedByReader = false;
};

// A 3xx answer with a Location (the header API also answers during the transfer).
bool isRedirection(CURL* handle) {
  long status = 0;
  curl_header* location = nullptr;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  return status >= 300 && status < 400 &&
         curl_easy_header(handle, "Location", 0, CURLH_HEADER, -1, &location) == CURLHE_OK;
}

size_t onBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (bytes == 0) return 0;
  if (!t->received && !t->redirection && isRedirection(t->handle)) t->redirection = true;
  if (t->redirection) return (*t->keepGoing)() ? bytes : CURL_WRITEFUNC_ERROR;
  if (!t->received) {
    curl_off_t announced = -1;
    if (curl_easy_getinfo(t->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) == CURLE_OK &&
        announced > 0)
      (*t->sizeHint)(static_cast<size_t>(announced));
  }
  t->received = true;
  if (!(*t->sink)(std::string_view(data, bytes)) || !(*t->keepGoing)()) {
    t->stoppedByReader = true;
    return CURL_WRITEFUNC_ERROR;
  }
  return bytes;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  if ((*t->keepGoing)()) return 0;
  t->stoppedByReader = true;
  return 1;
}

CURLcode initialiseOnce() {
  static const CURLcode rc = curl_global_init(CURL_GLOBAL_DEFAULT);
  return rc;
}

// Sets every option of a connection; the first refusal names its option.
class Options {
 public:
  explicit Options(CURL* handle) : handle_(handle) {}
  template <typename Value>
  Options& set(CURLoption option, const char* name, Value value) {
    const CURLcode rc = curl_easy_setopt(handle_, option, value);
    if (rc != CURLE_OK && failure_.empty())
      failure_ = std::string("libcurl refused ") + name + ": " + curl_easy_strerror(rc);
    return *this;
  }
  const std::string& failure() const { return failure_; }

 private:
  CURL* handle_;
  std::string failure_;
};

std::string describe(CURLcode rc, const char* detail) {
  const std::string text = *detail ? detail : curl_easy_strerror(rc);
  if (rc == CURLE_UNSUPPORTED_PROTOCOL) return kRefusedScheme + text;
  return text;
}

}  // namespace

HttpConnection::Opened HttpConnection::open(const ConnectionSettings& settings) {
  if (hasControlCharacter(settings.agent))
    return {nullptr, "the user agent holds a control character"};
  if (const CURLcode rc = initialiseOnce(); rc != CURLE_OK)
    return {nullptr, std::string("libcurl cannot start: ") + curl_easy_strerror(rc)};
  CURL* h = curl_easy_init();
  if (!h) return {nullptr, "libcurl cannot make a handle"};
  // Always fetched fresh, also through caching proxies.
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  curl_slist* resolve = nullptr;
  for (const std::string& entry : settings.resolve)
    resolve = curl_slist_append(resolve, entry.c_str());
  std::unique_ptr<HttpConnection> c(new HttpConnection(h, headers, resolve));
  Options o(h);
  if (resolve) o.set(CURLOPT_RESOLVE, "CURLOPT_RESOLVE", resolve);
  o.set(CURLOPT_USERAGENT, "CURLOPT_USERAGENT", settings.agent.c_str())
      .set(CURLOPT_HTTPHEADER, "CURLOPT_HTTPHEADER", headers)
      .set(CURLOPT_NOSIGNAL, "CURLOPT_NOSIGNAL", 1L)
      .set(CURLOPT_PROTOCOLS_STR, "CURLOPT_PROTOCOLS_STR", "http,https")
      .set(CURLOPT_FOLLOWLOCATION, "CURLOPT_FOLLOWLOCATION", 0L)    // followed by fetch()
      .set(CURLOPT_ACCEPT_ENCODING, "CURLOPT_ACCEPT_ENCODING", "")  // all libcurl decodes
      .set(CURLOPT_CONNECTTIMEOUT_MS, "CURLOPT_CONNECTTIMEOUT_MS",
           static_cast<long>(std::chrono::milliseconds(kConnectTimeout).count()))
      .set(CURLOPT_WRITEFUNCTION, "CURLOPT_WRITEFUNCTION", onBody)
      .set(CURLOPT_XFERINFOFUNCTION, "CURLOPT_XFERINFOFUNCTION", onProgress)
      .set(CURLOPT_NOPROGRESS, "CURLOPT_NOPROGRESS", 0L)
      .set(CURLOPT_ERRORBUFFER, "CURLOPT_ERRORBUFFER", c->error_);
  if (!o.failure().empty()) return {nullptr, o.failure()};
  return {std::move(c), {}};
}

HttpConnection::~HttpConnection() {
  curl_easy_cleanup(handle_);
  curl_slist_free_all(headers_);
  curl_slist_free_all(resolve_);
}

FetchOutcome HttpConnection::fetch(const std::string& url, const ChunkSink& sink,
                                   const KeepGoing& keepGoing, const SizeHint& sizeHint,
                                   const FollowRedirection& follow) {
  std::vector<std::string> chain{url};
  for (long redirections = 0;; ++redirections) {
    std::string target;
    FetchOutcome out = fetchOnce(chain.back(), sink, keepGoing, sizeHint, target);
    if (target.empty()) return out;
    if (!startsWithNoCase(target, "http://") && !startsWithNoCase(target, "https://")) {
      out.opened = false;
      out.failure = kRefusedScheme + shownUrl(target);
      return out;
    }
    if (redirections == kMaxRedirections) {
      out.opened = false;
      out.tooManyRedirections = true;
      out.failure = "too many redirections: more than " + std::to_string(kMaxRedirections);
      return out;
    }
    // A chain that comes back to one of its own URLs never ends in a page.
    if (std::find(chain.begin(), chain.end(), target) != chain.end()) {
      out.opened = false;
      out.tooManyRedirections = true;
      out.failure = "redirection loop: back to " + shownUrl(target);
      return out;
    }
    if (follow && !follow(target)) {
      out.effectiveUrl = std::move(target);  // a known URL: the read ends with no text
      return out;
    }
    chain.push_back(std::move(target));
  }
}

FetchOutcome HttpConnection::fetchOnce(const std::string& url, const ChunkSink& sink,
                                       const KeepGoing& keepGoing, const SizeHint& sizeHint,
                                       std::string& target) {
  Transfer t{handle_, &sink, &keepGoing, &sizeHint};
  error_[0] = '\0';
  FetchOutcome out;
  Options o(handle_);
  o.set(CURLOPT_URL, "CURLOPT_URL", url.c_str())
      .set(CURLOPT_WRITEDATA, "CURLOPT_WRITEDATA", &t)
      .set(CURLOPT_XFERINFODATA, "CURLOPT_XFERINFODATA", &t);
  if (!o.failure().empty()) {
    out.failure = o.failure();
    return out;
  }
  const CURLcode rc = curl_easy_perform(handle_);
  char* effective = nullptr;
  if (curl_easy_getinfo(handle_, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
    out.effectiveUrl = effective;
  curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &out.status);
  curl_header* retryAfter = nullptr;
  if (curl_easy_header(handle_, "Retry-After", 0, CURLH_HEADER, -1, &retryAfter) == CURLHE_OK)
    out.retryAfter = retryAfter->value;
  char* contentType = nullptr;
  if (curl_easy_getinfo(handle_, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
    out.contentType = contentType;
  out.stoppedByReader = t.stoppedByReader;
  char* redirect = nullptr;
  if (rc == CURLE_OK && isRedirection(handle_) &&
      curl_easy_getinfo(handle_, CURLINFO_REDIRECT_URL, &redirect) == CURLE_OK && redirect)
    target = redirect;
  if (rc != CURLE_OK && !t.stoppedByReader) out.failure = describe(rc, error_);
  if (rc == CURLE_OK || t.received) {
    out.opened = true;
    return out;
  }
  // Cut before any byte of its body (a stall in the headers or after them): not read, whatever
  // status line came.
  return out;
}

std::optional<std::string> httpStartupProblem() {
  const HttpConnection::Opened opened = HttpConnection::open({});
  if (opened.connection) return std::nullopt;
  return opened.failure;
}

}  // namespace korvex
