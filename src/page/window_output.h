// Page processing into the main window and the scan state, as the window's own engine does it.
#pragma once

#include "page/page_output.h"

namespace korvex {

struct ScanState;
class Window;

class WindowOutput final : public PageOutput {
 public:
  WindowOutput(ScanState& state, Window& window) : state_(state), window_(window) {}
  bool stopped() const override;
  bool urlKnown(std::string_view url) const override;
  void pageRedirected(const std::string& finalUrl) override;
  bool addKnownUrl(const std::string& url) override;
  bool addLink(std::string& url) override;
  void linksDone() override;
  bool emailKnown(std::string_view address) const override;
  void addEmail(const std::string& address, const std::string& pageUrl) override;
  void pageAccepted(const std::string& url) override;

 private:
  ScanState& state_;
  Window& window_;
  // Links taken since the last linksDone: the counter is written once per page, as nothing
  // can look at it between two links of one page (no yield comes between them).
  long long linksTaken_ = 0;
};

}  // namespace korvex
