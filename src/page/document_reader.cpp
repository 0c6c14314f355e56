#include "page/document_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstring>
#include <semaphore>

#include "base/text.h"

extern char** environ;

namespace korvex {
namespace {

constexpr size_t kMaxLinks = 100000;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// A sanitized reader maps terabytes of shadow memory: its address space cannot be limited.
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif
constexpr size_t kMaxReasonBytes = 200;

bool endsWithAny(std::string_view text, std::initializer_list<std::string_view> endings) {
  for (std::string_view e : endings)
    if (text.ends_with(e)) return true;
  return false;
}

}  // namespace

std::string documentReader() {
  std::array<char, 4096> self{};
  const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
  std::vector<std::string> candidates;
  const std::string program(self.data(), n > 0 ? static_cast<size_t>(n) : 0);
  const std::string folder = program.substr(0, program.rfind('/') + 1);
  candidates.push_back(folder + "korvex-doc-reader");
  candidates.emplace_back(KORVEX_DOC_READER_BUILT);
  // Installed under any prefix: PREFIX/bin/korvex-cli, PREFIX/libexec/korvex/korvex-doc-reader.
  candidates.push_back(folder + "../" KORVEX_DOC_READER_INSTALLED);
  for (const std::string& c : candidates)
    if (access(c.c_str(), X_OK) == 0) return c;
  return "";
}

namespace {

void setLimit(pid_t pid, __rlimit_resource resource, rlim_t value) {
  const rlimit limit{value, value};
  prlimit(pid, resource, &limit, nullptr);
}

// The records the reader wrote: text pieces and links.
void takeRecords(std::string_view output, DocumentText& out) {
  size_t at = 0;
  while (at + 5 <= output.size()) {
    const char kind = output[at];
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
      length |= static_cast<uint32_t>(static_cast<unsigned char>(output[at + 1 + i])) << (8 * i);
    at += 5;
    if (length > output.size() - at) length = static_cast<uint32_t>(output.size() - at);
    const std::string_view bytes = output.substr(at, length);
    at += length;
    if (kind == 'T') out.text.append(bytes);
    if (kind == 'L' && out.links.size() < kMaxLinks) out.links.emplace_back(bytes);
  }
}

}  // namespace

DocumentKind documentKind(std::string_view url, std::string_view contentType) {
  std::string path = asciiLowerCopy(url.substr(0, url.find_first_of("?#")));
  const std::string type = asciiLowerCopy(contentType.substr(0, contentType.find(';')));
  if (path.ends_with(".pdf") || type == "application/pdf") return DocumentKind::Pdf;
  if (endsWithAny(path, {".docx", ".xlsx", ".pptx", ".odt", ".ods", ".odp"}) ||
      type.starts_with("application/vnd.openxmlformats-officedocument.") ||
      type.starts_with("application/vnd.oasis.opendocument."))
    return DocumentKind::Office;
  return DocumentKind::None;
}

DocumentText readDocument(std::string_view bytes, DocumentKind kind,
                          std::chrono::milliseconds timeLimit, const std::string& program) {
  static std::counting_semaphore<kReadersAtOnce> turns(kReadersAtOnce);
  DocumentText out;
  const auto waitStart = std::chrono::steady_clock::now();
  if (!turns.try_acquire_for(timeLimit)) {
    out.failure = "the time limit of the page passed while the document waited for a reader";
    return out;
  }
  struct Turn {
    ~Turn() { turns.release(); }
  } turn;
  timeLimit -= std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - waitStart);
  if (program.empty()) {
    out.failure = "the document reader korvex-doc-reader is not installed";
    return out;
  }
  int input[2], output[2], errors[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0) {
    out.failure = std::string("the document reader cannot be started: ") + std::strerror(errno);
    return out;
  }
  if (pipe2(output, O_CLOEXEC) != 0 || pipe2(errors, O_CLOEXEC) != 0) {
    close(input[0]);
    close(input[1]);
    out.failure = std::string("the document reader cannot be started: ") + std::strerror(errno);
    return out;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[1], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
  const std::string mode = kind == DocumentKind::Pdf ? "pdf" : "office";
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(mode.c_str()), nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(input[1]);
  close(output[1]);
  close(errors[1]);
  if (spawned != 0) {
    close(input[0]);
    close(output[0]);
    close(errors[0]);
    out.failure = std::string("the document reader cannot be started: ") + std::strerror(spawned);
    return out;
  }
  // The reader waits for its document before it parses anything: its limits come first.
  const auto seconds = static_cast<rlim_t>(std::ceil(timeLimit.count() / 1000.0)) + 1;
  setLimit(pid, RLIMIT_CPU, seconds);
  if (kLimitAddressSpace) setLimit(pid, RLIMIT_AS, kReaderMemoryBytes);
  setLimit(pid, RLIMIT_FSIZE, 0);
  setLimit(pid, RLIMIT_CORE, 0);

  const auto deadline = std::chrono::steady_clock::now() + timeLimit;
  auto msLeft = [&] {
    return static_cast<int>(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now())
               .count()));
  };
  std::string written, reason;
  size_t sent = 0;
  bool timedOut = false, capped = false;
  int inputFd = input[0];
  std::array<char, 65536> buffer{};
  while (true) {
    pollfd fds[3];
    nfds_t count = 0;
    if (output[0] >= 0) fds[count++] = {output[0], POLLIN, 0};
    if (errors[0] >= 0) fds[count++] = {errors[0], POLLIN, 0};
    if (inputFd >= 0) fds[count++] = {inputFd, POLLOUT, 0};
    if (count == 0) break;
    const int left = msLeft();
    if (left == 0) {
      timedOut = true;
      break;
    }
    if (poll(fds, count, left) < 0 && errno != EINTR) break;
    for (nfds_t i = 0; i < count; ++i) {
      if (!fds[i].revents) continue;
      const int fd = fds[i].fd;
      if (fd == inputFd) {
        const ssize_t n =
            send(fd, bytes.data() + sent, std::min<size_t>(bytes.size() - sent, 65536),
                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) sent += static_cast<size_t>(n);
        if (n < 0 && errno != EAGAIN) sent = bytes.size();  // the reader is gone
        if (sent == bytes.size()) {
          close(inputFd);
          inputFd = -1;
        }
        continue;
      }
      const ssize_t n = read(fd, buffer.data(), buffer.size());
      if (n <= 0) {
        close(fd);
        (fd == output[0] ? output[0] : errors[0]) = -1;
        continue;
      }
      if (fd == errors[0]) {
        reason.append(buffer.data(),
                      std::min(static_cast<size_t>(n),
                               kMaxReasonBytes - std::min(reason.size(), kMaxReasonBytes)));
        continue;
      }
      written.append(buffer.data(), static_cast<size_t>(n));
      if (written.size() > kReaderOutputBytes) capped = true;
    }
    if (capped) break;
  }
  for (int fd : {inputFd, output[0], errors[0]})
    if (fd >= 0) close(fd);
  if (timedOut || capped) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut) {
    out.failure = "the time limit of the page passed while the document was read";
    return out;
  }
  if (capped) written.resize(kReaderOutputBytes);  // what came, as a page cut by its cap
  if (!capped && WIFSIGNALED(status)) {
    out.failure = WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL
                      ? "the document reader passed its time limit"
                      : "the document reader ended on signal " + std::to_string(WTERMSIG(status)) +
                            " (a crash or its memory limit)";
    return out;
  }
  if (!capped && WEXITSTATUS(status) != 0) {
    const std::string said = trimmed(reason.substr(0, reason.find('\n')));
    out.failure = said.empty() ? "the document could not be read" : said;
    for (char& c : out.failure)
      if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
  }
  takeRecords(written, out);
  out.read = true;
  return out;
}

}  // namespace korvex
