// objNet: the main window's own page engine, created on first use and released at the end of a
// scan; a use after the release creates a fresh one.
#pragma once

#include <memory>

#include "page/cnetget.h"

namespace korvex {

class EngineSlot {
 public:
  EngineSlot(ScanState& state, Window& window, Host& host, const Clock& clock = systemClock())
      : state_(state), window_(window), host_(host), clock_(clock) {}
  CNetGet& get() {
    if (!engine_) engine_ = std::make_unique<CNetGet>(state_, window_, host_, clock_);
    return *engine_;
  }
  // The engine if one exists; Stop closes its connection without creating one.
  CNetGet* current() { return engine_.get(); }
  void release() { engine_.reset(); }

 private:
  ScanState& state_;
  Window& window_;
  Host& host_;
  const Clock& clock_;
  std::unique_ptr<CNetGet> engine_;
};

}  // namespace korvex
