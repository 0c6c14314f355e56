#include "page/window_output.h"

#include "base/scan_state.h"
#include "base/shown_url.h"
#include "base/text.h"
#include "base/window.h"
#include "page/record_email.h"

namespace korvex {

bool WindowOutput::stopped() const {
  return state_.bStop;
}

bool WindowOutput::urlKnown(std::string_view url) const {
  return state_.sVisitedURLs.contains(url);
}

void WindowOutput::pageRedirected(const std::string& finalUrl) {
  state_.sVisitedURLs.add(finalUrl);
}

bool WindowOutput::addKnownUrl(const std::string& url) {
  return state_.sVisitedURLs.add(url);
}

bool WindowOutput::addLink(std::string& url) {
  if (!state_.sVisitedURLs.add(url)) return false;
  ++linksTaken_;
  state_.sPendingURLs.push_back(std::move(url));
  return true;
}

void WindowOutput::linksDone() {
  if (linksTaken_ > 0)
    increaseCounter(window_, Field::txtNoOfExtUrl, static_cast<double>(linksTaken_));
  linksTaken_ = 0;
}

bool WindowOutput::emailKnown(std::string_view address) const {
  return state_.sEmailList.contains(address);
}

void WindowOutput::addEmail(const std::string& address, const std::string& pageUrl) {
  recordEmail(window_, state_, address, pageUrl);
}

void WindowOutput::pageAccepted(const std::string& url) {
  window_.appendText(Field::txtURLs, shownUrl(url) + kCrLf);
  increaseCounter(window_, Field::txtNoOfValidUrls, 1);
}

}  // namespace korvex
