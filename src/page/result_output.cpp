#include "page/result_output.h"

namespace korvex {

void ResultOutput::addLink(const std::string& url) {
  result_.links.push_back(url);
  ++result_.extUrls;
  known_.add(url);
}

void ResultOutput::addEmail(const std::string& address, const std::string& pageUrl) {
  emails_.add(address);
  result_.emails.push_back({address, pageUrl});
}

}  // namespace korvex
