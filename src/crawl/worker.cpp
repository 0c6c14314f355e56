#include "crawl/worker.h"

namespace korvex {

void configureWorker(Worker& w, const WorkerSettings& s) {
  w.SetUrlDelimiter(s.urlDelimiter);
  w.SetUrlMust(s.urlMust);
  w.SetUrlMustNot(s.urlMustNot);
  w.SetPagesMust(s.pagesMust);
  w.SetPagesMustNot(s.pagesMustNot);
  w.SetAURLMust(s.aURLMust);
  w.SetAURLMustNot(s.aURLMustNot);
  w.SetAPagesMust(s.aPagesMust);
  w.SetAPagesMustNot(s.aPagesMustNot);
  w.SetOptUrlAny(s.optUrlAny);
  w.SetOptUrlAll(s.optUrlAll);
  w.SetOptPagesAny(s.optPagesAny);
  w.SetOptPagesAll(s.optPagesAll);
  w.SetOmitExtensions(s.omitExtensions);
  w.SetFreeStatus(true);
  w.SetMaxTime(s.maxTime);
  w.SetUserAgent(s.agent);
  w.SetHostGate(s.gate);
}

std::vector<std::string> Worker::GetEmails() const {
  std::vector<std::string> out;
  for (const FoundEmail& e : result().emails) out.push_back(e.address);
  return out;
}

std::vector<std::string> Worker::GetEmailUrl() const {
  std::vector<std::string> out;
  for (const FoundEmail& e : result().emails) out.push_back(e.url);
  return out;
}

double Worker::GetNoOfExtUrls() const {
  return static_cast<double>(result().extUrls);
}

double Worker::GetNoOfValidUrls() const {
  return static_cast<double>(result().validUrls);
}

std::vector<std::string> Worker::GetURLString() const {
  return result().links;
}

}  // namespace korvex
