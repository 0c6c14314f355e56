#include "cli/interrupt.h"

#include <signal.h>
#include <unistd.h>

namespace korvex::cli {
namespace {

volatile sig_atomic_t interrupts = 0;
std::shared_ptr<const Wakeup> wakeupHolder;  // keeps the fd open for the handler
const Wakeup* wakeupForHandler = nullptr;

void onInterrupt(int signal) {
  interrupts = interrupts + 1;
  if (interrupts >= 2) _exit(128 + signal);
  if (wakeupForHandler) wakeupForHandler->notify();
}

}  // namespace

void watchInterrupts(std::shared_ptr<const Wakeup> wakeup) {
  wakeupHolder = std::move(wakeup);
  wakeupForHandler = wakeupHolder.get();
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool stopRequested() {
  return interrupts > 0;
}

}  // namespace korvex::cli
