#include "session/online_probe.h"

#include <ifaddrs.h>
#include <net/if.h>

#include <fstream>
#include <sstream>
#include <string>

namespace korvex {
namespace {

bool hasDefaultRoute() {
  std::ifstream routes("/proc/net/route");
  std::string line;
  std::getline(routes, line);  // heading
  while (std::getline(routes, line)) {
    std::istringstream fields(line);
    std::string iface, destination;
    if (fields >> iface >> destination && destination == "00000000") return true;
  }
  return false;
}

bool hasUpInterface() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool found = false;
  for (ifaddrs* a = list; a && !found; a = a->ifa_next)
    found = a->ifa_addr && (a->ifa_flags & IFF_UP) && !(a->ifa_flags & IFF_LOOPBACK);
  freeifaddrs(list);
  return found;
}

}  // namespace

bool isConnected() {
  return hasDefaultRoute() || hasUpInterface();
}

}  // namespace korvex
