#include "cli/output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <streambuf>

#include "base/text.h"

namespace korvex::cli {
namespace {

class DescriptorBuffer final : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
  int error() const { return error_; }
  void setError(int error) { error_ = error; }
  // Writes what is buffered and closes the descriptor.
  void close() {
    sync();
    if (::close(fd_) != 0 && !error_) error_ = errno;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    const char* p = pbase();
    while (p < pptr() && !error_) {
      const ssize_t n = ::write(fd_, p, static_cast<size_t>(pptr() - p));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) error_ = n < 0 ? errno : EIO;
      if (n > 0) p += n;
    }
    setp(buffer_, buffer_ + sizeof buffer_);  // what could not be written is dropped
    return !error_;
  }

  int fd_;
  int error_ = 0;
  char buffer_[64 * 1024];
};

DescriptorBuffer& outputBuffer() {
  static DescriptorBuffer buffer(STDOUT_FILENO);
  return buffer;
}

}  // namespace

void guardStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (open("/dev/null", O_RDWR) != fd) continue;  // the lowest free number: this one
    if (fd == STDOUT_FILENO) outputBuffer().setError(EBADF);
  }
}

std::ostream& standardOutput() {
  static std::ostream out(&outputBuffer());
  return out;
}

bool standardOutputReaderGone() {
  return outputBuffer().error() == EPIPE;
}

std::optional<std::string> closeStandardOutput() {
  outputBuffer().close();
  if (!outputBuffer().error()) return std::nullopt;
  return std::string("cannot write standard output: ") + std::strerror(outputBuffer().error());
}

}  // namespace korvex::cli
