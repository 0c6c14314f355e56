// SIGTERM, SIGHUP and SIGINT for the window (a logout, a shutdown, Ctrl-C in its terminal): the
// first is the Exit button without its question, delivered on the GUI thread through a pipe;
// a second one leaves at once.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace korvex::ui {

class ExitSignals final : public QObject {
 public:
  // `leave` runs on the GUI thread, once, when the first signal comes.
  ExitSignals(std::function<void()> leave, QObject* parent = nullptr);
  ~ExitSignals() override;

 private:
  std::function<void()> leave_;
  QSocketNotifier* notifier_;
};

}  // namespace korvex::ui
