#include "window/window.h"

#include "base/number.h"
#include "base/text.h"

namespace korvex {

double fieldNumber(const Window& window, Field field) {
  return val(window.text(field));
}

}  // namespace korvex
