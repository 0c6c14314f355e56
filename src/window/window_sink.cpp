#include "window/window_sink.h"

#include "base/text.h"

namespace korvex {

void WindowSink::urlHandedOut(const std::string& shownUrl) {
  window_.appendText(Field::txtURLs, shownUrl + kCrLf);
}

void WindowSink::addressFound(const FoundAddress& found) {
  window_.appendText(Field::txtEmail, found.address + kCrLf);
  // The first address fills the empty row Start leaves; every later one adds a row.
  int last = window_.gridRows() - 1;
  if (!trimSpaces(window_.gridCell(last, 0)).empty()) {
    window_.addGridRow();
    ++last;
  }
  window_.setGridCell(last, 0, std::to_string(found.n));
  window_.setGridCell(last, 1, found.address);
  window_.setGridCell(last, 2, found.page);
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
