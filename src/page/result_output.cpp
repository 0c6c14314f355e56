#include "page/result_output.h"

namespace korvex {

void ResultOutput::addLink(std::string url) {
  known_.add(url);
  ++result_.extUrls;
  result_.links.push_back(std::move(url));
}

void ResultOutput::addEmail(const std::string& address, const std::string& pageUrl) {
  emails_.add(address);
  result_.emails.push_back({address, pageUrl});
}

}  // namespace korvex
