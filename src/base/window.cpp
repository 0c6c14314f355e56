#include "base/window.h"

#include "base/number.h"

namespace korvex {

double fieldNumber(const Window& window, Field field) {
  return val(window.text(field));
}

long long maxDepthFromWindow(const Window& window) {
  return roundHalfEven(fieldNumber(window, Field::cboDepth)) + 1;
}

void increaseCounter(Window& window, Field counter, double amount) {
  window.setText(counter, formatNumber(fieldNumber(window, counter) + amount));
}

}  // namespace korvex
