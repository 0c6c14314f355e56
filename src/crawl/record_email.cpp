#include "crawl/record_email.h"

#include "base/scan_state.h"
#include "base/shown_url.h"
#include "base/text.h"
#include "base/window.h"

namespace korvex {

void recordEmail(Window& window, ScanState& state, const std::string& address,
                 const std::string& pageUrl) {
  window.appendText(Field::txtEmail, address + kCrLf);
  state.sEmailList.add(address);
  increaseCounter(window, Field::txtNoOfEmails, 1);
  int last = window.gridRows() - 1;
  if (!trimSpaces(window.gridCell(last, 0)).empty()) {
    window.addGridRow();
    ++last;
  }
  window.setGridCell(last, 0, window.text(Field::txtNoOfEmails));
  window.setGridCell(last, 1, address);
  window.setGridCell(last, 2, shownUrl(pageUrl));
}

}  // namespace korvex
