#include "ui/exit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace korvex::ui {
namespace {

int pipeEnds[2] = {-1, -1};
volatile sig_atomic_t received = 0;

void onSignal(int signal) {
  received = received + 1;
  if (received >= 2) _exit(128 + signal);
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

ExitSignals::ExitSignals(std::function<void()> leave, QObject* parent)
    : QObject(parent), leave_(std::move(leave)) {
  received = 0;
  if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) pipeEnds[0] = -1;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    while (::read(pipeEnds[0], &byte, 1) > 0) {
    }
    notifier_->setEnabled(false);
    leave_();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

ExitSignals::~ExitSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

}  // namespace korvex::ui
