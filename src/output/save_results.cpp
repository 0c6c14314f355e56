#include "output/save_results.h"

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

std::string savedPath(const std::string& fileName, Format format) {
  static constexpr const char* kExtensions[] = {".txt", ".csv", ".json", ".jsonl"};
  const size_t slash = fileName.rfind('/');
  const std::string_view last =
      std::string_view(fileName).substr(slash == std::string::npos ? 0 : slash + 1);
  struct stat existing {};
  if (last.find('.') != std::string_view::npos || ::lstat(fileName.c_str(), &existing) == 0)
    return fileName;
  return fileName + kExtensions[static_cast<int>(format)];
}

namespace {

// Writes over the file itself: a device, a FIFO (which must have a reader: never waited for), or
// a file whose folder takes no temporary file.
std::optional<std::string> writeInPlace(const std::string& path, const std::string& text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return failure(path, errno);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  int error = writeAll(fd, text);
  if (::close(fd) != 0 && !error) error = errno;
  if (error) return failure(path, error);
  return std::nullopt;
}

}  // namespace

SaveOutcome saveResults(const std::string& fileName, const ScanResults& results, Format format,
                        const std::string& delimiter) {
  if (trimSpaces(fileName).empty()) return {"Target File name cannot be blank.", {}};
  const std::string path = savedPath(fileName, format);
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
  // The file keeps the permissions of the one it replaces (a private file stays private), but
  // not its set-user-ID, set-group-ID or sticky bits, as cp does; a new one gets what the umask
  // gives, as any file the user creates.
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return {writeInPlace(path, text), path};
  const mode_t mode = exists ? old.st_mode & 0777 : 0666 & ~currentUmask();
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0 && exists && (errno == EACCES || errno == EROFS || errno == EPERM))
    return {writeInPlace(path, text), path};
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
