// Throughput of address and link extraction on a page corpus, next to a bare memchr scan of the
// same bytes (the floor any scan for "@" can reach).
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/scan_state.h"
#include "control/memory_window.h"
#include "control/window_defaults.h"
#include "corpus.h"
#include "crawl/null_host.h"
#include "page/cnetget.h"

namespace {

const std::string& corpus() {
  static const std::string text = korvex::bench::makeCorpus(4u << 20);
  return text;
}

struct Engine {
  Engine() : net(state, window, host) {
    korvex::applyWindowDefaults(window);
    state.iDepth = 1;
    state.iMaxDepth = 6;
  }
  korvex::ScanState state;
  korvex::MemoryWindow window;
  korvex::NullHost host;
  korvex::CNetGet net;
};

void BM_MemchrScan(benchmark::State& s) {
  const std::string& text = corpus();
  for (auto _ : s) {
    size_t count = 0;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '@', static_cast<size_t>(end - p)))); ++p)
      ++count;
    benchmark::DoNotOptimize(count);
  }
  s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * text.size()));
}

void BM_ExtractEmails(benchmark::State& s) {
  const std::string& text = corpus();
  std::unique_ptr<Engine> engine;
  for (auto _ : s) {
    s.PauseTiming();
    engine.reset();  // the last run's lists are freed outside the timing
    engine = std::make_unique<Engine>();
    s.ResumeTiming();
    engine->net.extractEmails(text, "http://example.com/page.html");
    benchmark::DoNotOptimize(engine->state.sEmailList.entries().size());
  }
  s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * text.size()));
}

void BM_ExtractLinks(benchmark::State& s) {
  const std::string& text = corpus();
  std::unique_ptr<Engine> engine;
  for (auto _ : s) {
    s.PauseTiming();
    engine.reset();  // the last run's lists are freed outside the timing
    engine = std::make_unique<Engine>();
    s.ResumeTiming();
    engine->net.extractLinks(text, "http://example.com/dir/page.html");
    benchmark::DoNotOptimize(engine->state.sPendingURLs.size());
  }
  s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * text.size()));
}

BENCHMARK(BM_MemchrScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractEmails)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractLinks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
