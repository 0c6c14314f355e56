#include "base/window.h"

#include "base/number.h"
#include "base/text.h"

namespace korvex {

double fieldNumber(const Window& window, Field field) {
  return val(window.text(field));
}

long long maxDepthFromWindow(const Window& window) {
  return roundHalfEven(fieldNumber(window, Field::cboDepth)) + 1;
}

std::string agentFromWindow(const Window& window) {
  const std::string agent = trimmed(window.text(Field::txtUserAgent));
  return agent.empty() ? std::string(kAgent) : agent;
}

void increaseCounter(Window& window, Field counter, double amount) {
  window.setText(counter, formatNumber(fieldNumber(window, counter) + amount));
}

}  // namespace korvex
