#include "control/save_results.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "base/text.h"

namespace korvex {
namespace {

std::string failure(const std::string& path, int error) {
  return "Cannot write " + path + ": " + std::strerror(error);
}

// Writes all of text to fd; the errno of the first failure, or 0.
int writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// The process's umask (reading it means setting it: put back at once, on the main thread).
mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

SaveOutcome saveResults(const std::string& fileName, const ScanResults& results, Format format,
                        const std::string& delimiter) {
  if (trimSpaces(fileName).empty()) return {"Target File name cannot be blank.", {}};
  std::string path = fileName;
  static constexpr const char* kExtensions[] = {".txt", ".csv", ".json"};
  if (path.find('.') == std::string::npos) path += kExtensions[static_cast<int>(format)];
  std::string text;
  if (format == Format::Text) {
    const std::string separator = trimmed(delimiter);
    for (const FoundAddress& a : results.addresses()) text.append(a.address).append(separator);
  } else {
    std::ostringstream out;
    writeResults(out, results, format);
    text = std::move(out).str();
  }

  // Written beside the target and renamed over it: a failed save never destroys the old file.
  // The file keeps the mode of the one it replaces (a private file stays private); a new one
  // gets what the umask gives, as any file the user creates.
  struct stat old {};
  const mode_t mode =
      ::stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : 0666 & ~currentUmask();
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return {failure(path, errno), path};
  int error = writeAll(fd, text);
  if (::fchmod(fd, mode) != 0 && !error) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temporary.c_str());
    return {failure(path, error), path};
  }
  return {std::nullopt, path};
}

}  // namespace korvex
