// Throughput of address and link extraction on a page corpus, next to a bare memchr scan of the
// same bytes (the floor any scan for "@" can reach).
#include <benchmark/benchmark.h>

#include <cstring>
#include <optional>

#include "corpus.h"
#include "page/cnetget.h"

namespace {

const std::string& corpus() {
  static const std::string text = korvex::bench::makeCorpus(4u << 20);
  return text;
}

// The page engine as a worker runs it, on a text already read (a fresh copy made, and the last
// result freed, outside the timing); frame sources are not read. Addresses alone: a page of the
// last level gives no links. Links alone: a page of level 2 that the page rules refuse at its first
// bytes gives no addresses. Both include the search for frames, as every page does.
void processCorpus(benchmark::State& s, bool links) {
  korvex::PageSettings settings;
  if (links) {
    settings.pagesMustNot = corpus().substr(0, 8);
    settings.aPagesMustNot = {settings.pagesMustNot};
  }
  korvex::CNetGet net(settings);
  net.cancel();
  const std::string url = "http://example.com/dir/page.html";
  const korvex::PageJob job{.url = url, .level = links ? 2 : 6, .maxDepth = 6};
  std::optional<korvex::PageResult> last;  // freed outside the timing, as the copy is made
  for (auto _ : s) {
    s.PauseTiming();
    last.reset();
    std::string page = corpus();
    s.ResumeTiming();
    last = net.processText(std::move(page), url, job, {});
    benchmark::DoNotOptimize(last->emails.size() + last->links.size());
  }
  s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * corpus().size()));
}

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
  processCorpus(s, false);
}

void BM_ExtractLinks(benchmark::State& s) {
  processCorpus(s, true);
}

BENCHMARK(BM_MemchrScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractEmails)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractLinks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
