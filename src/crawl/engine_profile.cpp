#include "crawl/engine_profile.h"

#include "base/text.h"

namespace korvex {

std::optional<EngineProfile> withEngine(EngineProfile profile, std::string_view engineUrl) {
  const std::string_view url = trimSpaces(engineUrl);
  size_t hostStart;
  if (startsWithNoCase(url, "http://")) {
    hostStart = 7;
  } else if (startsWithNoCase(url, "https://")) {
    hostStart = 8;
  } else {
    return std::nullopt;
  }
  const size_t hostEnd = std::min(url.find_first_of("/?#", hostStart), url.size());
  const std::string_view host = url.substr(hostStart, hostEnd - hostStart);
  if (host.empty() || host.find_first_of(" @") != std::string_view::npos) return std::nullopt;
  profile.origin = asciiLowerCopy(url.substr(0, hostStart)) + std::string(host);
  // An engine given by its address is its own numeric host: links back to it are not results.
  const std::string_view name = host.substr(0, host.find(':'));
  if (!name.empty() && name.find_first_not_of("0123456789.") == std::string_view::npos)
    profile.numericHost = name;
  return profile;
}

}  // namespace korvex
