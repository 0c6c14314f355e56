#include "page/net_reader.h"

#include <string>

namespace korvex {
namespace {

struct Transfer {
  const HttpConnection::ChunkSink* sink;
  const HttpConnection::KeepGoing* keepGoing;
  bool received = false;
  bool stoppedByReader = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (bytes == 0) return 0;
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

bool initialiseOnce() {
  static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ok;
}

}  // namespace

std::unique_ptr<HttpConnection> HttpConnection::open(std::string_view agent) {
  if (!initialiseOnce()) return nullptr;
  CURL* h = curl_easy_init();
  if (!h) return nullptr;
  // Always fetched fresh, also through caching proxies.
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  const std::string agentText(agent);
  curl_easy_setopt(h, CURLOPT_USERAGENT, agentText.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirections);
  curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");  // every encoding libcurl can decode
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(std::chrono::milliseconds(kConnectTimeout).count()));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  return std::unique_ptr<HttpConnection>(new HttpConnection(h, headers));
}

HttpConnection::~HttpConnection() {
  curl_easy_cleanup(handle_);
  curl_slist_free_all(headers_);
}

bool HttpConnection::fetch(const std::string& url, const ChunkSink& sink,
                           const KeepGoing& keepGoing) {
  Transfer t{&sink, &keepGoing};
  curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle_, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, &t);
  const CURLcode rc = curl_easy_perform(handle_);
  if (rc == CURLE_OK || t.received) return true;
  // Cut before any body: opened when a final response had begun.
  long status = 0;
  curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &status);
  return t.stoppedByReader && status > 0 && (status < 300 || status >= 400);
}

}  // namespace korvex
