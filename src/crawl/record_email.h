// Recording one new address: the address box, the scan's list, the counter and a grid row.
#pragma once

#include <string>

namespace korvex {

struct ScanState;
class Window;

// The first address fills the empty row Start leaves; every later one adds a row. Column 0
// shows the counter after its increase.
void recordEmail(Window& window, ScanState& state, const std::string& address,
                 const std::string& pageUrl);

}  // namespace korvex
