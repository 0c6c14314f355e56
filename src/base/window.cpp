#include "base/window.h"

#include "base/number.h"
#include "base/text.h"

namespace korvex {

double fieldNumber(const Window& window, Field field) {
  return val(window.text(field));
}

void increaseCounter(Window& window, Field counter, double amount) {
  window.setText(counter, formatNumber(fieldNumber(window, counter) + amount));
}

}  // namespace korvex
