#include "window/window_sink.h"

#include "base/text.h"

namespace korvex {

void WindowSink::urlHandedOut(const std::string&) {
  window_.resultsAdded();
}

void WindowSink::addressFound(const FoundAddress&) {
  window_.resultsAdded();
}

void WindowSink::urlRefused(const RefusedURL& refused) {
  window_.appendText(Field::txtRefusedURLs, refused.url + "  (" + refused.reason + ")" + kCrLf);
}

void WindowSink::countersChanged(const ScanCounters& c) {
  // A counter Start emptied stays empty until it first changes.
  const std::pair<long long ScanCounters::*, Field> fields[] = {
      {&ScanCounters::extracted, Field::txtNoOfExtUrl},
      {&ScanCounters::valid, Field::txtNoOfValidUrls},
      {&ScanCounters::processed, Field::txtNoOfURLs},
      {&ScanCounters::emails, Field::txtNoOfEmails},
      {&ScanCounters::refused, Field::txtNoOfRefused},
      {&ScanCounters::outOfScope, Field::txtNoOfOutOfScope}};
  for (const auto& [member, field] : fields)
    if (c.*member != shown_.*member) window_.setText(field, std::to_string(c.*member));
  shown_ = c;
}

void WindowSink::domainChecked(const std::string& domain, const DomainAnswer& answer) {
  window_.setDomainAnswer(domain, describe(answer));
}

}  // namespace korvex
