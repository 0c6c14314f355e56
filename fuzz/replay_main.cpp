// Runs a fuzz target over the files of its corpus, so the corpus is an ordinary test. Each input
// has a time limit: a scan that is quadratic on some input fails here instead of holding CI.
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Far above what any input of the corpora takes when every scan is linear.
constexpr unsigned kSecondsPerInput = 10;
char current[4096];

void onTimeout(int) {
  const char prefix[] = "input over its time limit: ";
  [[maybe_unused]] ssize_t n = write(STDERR_FILENO, prefix, sizeof prefix - 1);
  n = write(STDERR_FILENO, current, std::strlen(current));
  n = write(STDERR_FILENO, "\n", 1);
  _exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGALRM, onTimeout);
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      std::snprintf(current, sizeof current, "%s", entry.path().c_str());
      alarm(kSecondsPerInput);
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      alarm(0);
      ++files;
    }
  }
  std::printf("%d passed, 0 failed\n", files);
  return files > 0 ? 0 : 1;
}
