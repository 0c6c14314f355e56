#include "cli/scan_runner.h"

#include <unistd.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "base/shown_url.h"
#include "cli/interrupt.h"
#include "cli/row_stream.h"
#include "session/event_queue.h"
#include "session/scan_session.h"

namespace korvex::cli {
namespace {

// The progress line is redrawn at most this often.
constexpr std::chrono::milliseconds kProgressEvery{200};
// How often this thread looks at the scan when no signal wakes it.
constexpr std::chrono::milliseconds kTurnEvery{50};

}  // namespace

int runScan(const ScanRequest& request, const EngineProfile& profile, const OutputOptions& options,
            Journal* journal, const ScanProgress* resumed) {
  ScanSession session(realWorkers(), profile);
  const auto wakeup = std::make_shared<Wakeup>();
  watchInterrupts(wakeup);
  const bool showProgress = !options.quiet && isatty(STDERR_FILENO);
  // Rows are written on this thread, as the scan's events come across.
  std::optional<RowStream> rows;
  std::optional<EventQueue> toRows;
  if (streamed(options.format)) {
    rows.emplace(standardOutput(), options.format, isatty(STDOUT_FILENO) == 1,
                 request.crawl.checkDomains);
    toRows.emplace(*rows);
  }
  auto lastDrawn = std::chrono::steady_clock::now() - kProgressEvery;
  bool stopped = false;
  auto turn = [&] {
    if (toRows) toRows->deliver();
    if (rows) rows->flushIfDue();
    // A signal, or a reader of standard output that went away, stops the scan.
    if ((stopRequested() || standardOutputReaderGone()) && !stopped) {
      stopped = true;
      session.stop();
    }
    if (showProgress && std::chrono::steady_clock::now() - lastDrawn >= kProgressEvery) {
      lastDrawn = std::chrono::steady_clock::now();
      std::cerr << "\r" << progressLine(session.progress().counters) << std::flush;
    }
  };

  std::vector<ScanSink*> sinks;
  if (journal) sinks.push_back(journal);
  if (toRows) sinks.push_back(&*toRows);
  session.start(request, sinks,
                resumed ? std::optional<ScanProgress>(*resumed) : std::optional<ScanProgress>());
  while (!session.waitFor(std::chrono::milliseconds(0))) {
    wakeup->waitFor(kTurnEvery);
    turn();
  }
  turn();
  const Scan& scan = session.scan();
  const ScanEnd end = session.end();
  // Only a scan that ended by itself is finished; any other stays resumable.
  if (journal)
    journal->end(end == ScanEnd::Ran && !scan.stopped() && !scan.engineUnread()
                     ? JournalStatus::Finished
                     : JournalStatus::Stopped);
  if (showProgress) std::cerr << "\r" << progressLine(scan.results().counters()) << "\n";
  if (end == ScanEnd::ConnectionFailed) {
    complain("cannot open an Internet connection: " + scan.connectionFailure());
    return kExitCannotOpen;
  }
  if (end == ScanEnd::WorkersFailed) complain("The workers of the scan could not be started.");
  int status = writeResults(scan.results(), options, rows.has_value(),
                            scan.stopped() ? "stopped" : "finished");
  for (const std::string& problem : scan.engineProblems()) complain(problem);
  if (scan.engineUnread() && end == ScanEnd::Ran && status == 0)
    status = kExitCannotOpen;  // no result page could be read
  // The first page of a resumed scan is the base URL only when nothing was read before.
  if (resumed && !resumed->scanned.empty()) return status;
  if (const auto failure = scan.startPageFailure()) {
    complain("cannot open " + shownValue(request.base) + ": " + shownValue(*failure, 400));
    if (status == 0) status = kExitCannotOpen;
  } else if (const auto answered = scan.startPageErrorStatus()) {
    complain(shownValue(request.base) + " answered HTTP " + std::to_string(*answered));
  }
  return status;
}

}  // namespace korvex::cli
