#include "page/result_output.h"

namespace korvex {

void ResultOutput::pageRedirected(const std::string& finalUrl) {
  known_.add(finalUrl);
  result_.finalUrl = finalUrl;
}

bool ResultOutput::addLink(std::string& url) {
  if (!known_.add(url)) return false;
  ++result_.extUrls;
  result_.links.push_back(std::move(url));
  return true;
}

}  // namespace korvex
