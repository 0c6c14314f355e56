#include "ui/qt_host.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

namespace korvex::ui {
namespace {
// A yield this soon after the last one returns at once: the engine yields per address and per
// chunk, far more often than a window needs to repaint or take a click.
constexpr std::chrono::milliseconds kYieldEvery{5};
// A wait sleeps at most this long even without a wake-up; a lost one then costs a second.
constexpr std::chrono::milliseconds kLongestSleep{1000};
}  // namespace

QtHost::QtHost()
    : wakeup_(std::make_shared<Wakeup>()),
      notifier_(new QSocketNotifier(wakeup_->fd(), QSocketNotifier::Read, this)) {
  // Consumes the notification; its arrival alone ends a wait.
  connect(notifier_, &QSocketNotifier::activated, this,
          [this] { wakeup_->waitFor(std::chrono::milliseconds(0)); });
}

void QtHost::yield() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastYield_ < kYieldEvery) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  lastYield_ = std::chrono::steady_clock::now();
}

QtHost::~QtHost() = default;

void QtHost::wait() {
  QTimer safety;
  safety.setSingleShot(true);
  safety.start(kLongestSleep);  // its timeout is an event, so the wait below ends
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  lastYield_ = std::chrono::steady_clock::now();
}

}  // namespace korvex::ui
