#include "cli/output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <streambuf>

#include "base/text.h"

namespace korvex::cli {

std::string csvField(const std::string& text) {
  return "\"" + replaceAll(text, "\"", "\"\"") + "\"";
}

namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
size_t utf8Length(std::string_view text) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = b(0);
  size_t length;
  unsigned long min;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  unsigned long cp = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  const bool valid = cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
  return valid ? length : 0;
}

}  // namespace

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

std::optional<std::string> closeStandardOutput() {
  outputBuffer().close();
  if (!outputBuffer().error()) return std::nullopt;
  return std::string("cannot write standard output: ") + std::strerror(outputBuffer().error());
}

std::ostream& operator<<(std::ostream& out, JsonText json) {
  std::string_view text = json.text;
  out << '"';
  while (!text.empty()) {
    // Runs of plain characters go out whole.
    size_t plain = 0;
    while (plain < text.size()) {
      const auto c = static_cast<unsigned char>(text[plain]);
      if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
      ++plain;
    }
    out.write(text.data(), static_cast<std::streamsize>(plain));
    text.remove_prefix(plain);
    if (text.empty()) break;
    const auto c = static_cast<unsigned char>(text[0]);
    if (c == '"' || c == '\\') {
      out << '\\' << static_cast<char>(c);
      text.remove_prefix(1);
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[c >> 4] << kHex[c & 15];
      text.remove_prefix(1);
    } else if (const size_t length = utf8Length(text)) {
      out.write(text.data(), static_cast<std::streamsize>(length));
      text.remove_prefix(length);
    } else {
      out << "\xEF\xBF\xBD";  // U+FFFD for a byte that begins no valid sequence
      text.remove_prefix(1);
    }
  }
  return out << '"';
}

}  // namespace korvex::cli
