#include "control/save_results.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/text.h"

namespace korvex {

SaveOutcome saveResults(const std::string& fileName, const EmailList& emails,
                        const std::string& delimiter) {
  if (trimSpaces(fileName).empty()) return {"Target File name cannot be blank.", {}};
  std::string path = fileName;
  if (path.find('.') == std::string::npos) path += ".txt";
  const std::string separator = trimmed(delimiter);
  std::string text;
  for (const std::string& address : emails.entries()) text.append(address).append(separator);

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (out) out.close();
  if (!out) return {"Cannot write " + path + ": " + std::strerror(errno), path};
  return {std::nullopt, path};
}

}  // namespace korvex
