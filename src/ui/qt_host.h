// The window's host: a yield lets Qt handle what is pending, at a bounded rate; a wait sleeps in
// Qt's event loop until a worker's wake-up, a user event or a timer.
#pragma once

#include <QObject>
#include <chrono>
#include <memory>

#include "base/host.h"

class QSocketNotifier;

namespace korvex::ui {

class QtHost final : public QObject, public Host {
 public:
  QtHost();
  ~QtHost() override;
  void yield() override;
  void wait() override;
  std::shared_ptr<const Wakeup> wakeup() const override { return wakeup_; }

 private:
  std::shared_ptr<Wakeup> wakeup_;
  QSocketNotifier* notifier_;
  std::chrono::steady_clock::time_point lastYield_{};
};

}  // namespace korvex::ui
