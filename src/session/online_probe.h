// Whether the machine is connected: a default route, or an interface that is up and not the
// loopback.
#pragma once

#include <functional>

namespace korvex {

using OnlineProbe = std::function<bool()>;
bool isConnected();

}  // namespace korvex
